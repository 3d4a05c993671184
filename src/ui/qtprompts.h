#pragma once

#include <QColor>
#include <QPointer>
#include <QStringList>

#include "form/colornumber.h"
#include "form/prompts.h"
#include "ui/mainwindow.h"

class QFileDialog;
class QProgressDialog;

namespace torvel {

// The name filters of a file dialog from our filter text: pairs "display|patterns|...", patterns
// separated by ";". "Pictures (*.jpg;*.gif)|*.jpg;*.gif" gives "Pictures (*.jpg *.gif)"; a display
// name without a pattern part ("All files (*.*)") offers every file.
QStringList toQtNameFilters(const QString& filter);

// A colour number (form/colornumber.h) as a QColor and back.
QColor colorFromNumber(int number);
int colorNumber(const QColor& color);

// The family a font dialog can show for a font value's family: the family itself when it is
// installed, otherwise the installed font that stands in for it.
QString installedFamily(const QString& family);
// A family as a font value holds it: without the foundry that the font dialog lists with
// families installed more than once ("Nimbus Sans [URW]").
QString familyName(const QString& listed);

// Puts the settings of an open-file request into a file dialog.
void configureOpenDialog(QFileDialog& dialog, const OpenFileRequest& request);

// The wizard's prompts as real Qt dialogs, message boxes and the busy pointer. The dialog forms
// and quitting go to the main window once one is attached.
class QtPrompts : public Prompts {
public:
    ~QtPrompts() override;

    void attach(MainWindow* window);
    MainWindow* window() const { return window_; }

    TORVEL_PROMPTS_IMPLEMENTATION

private:
    QWidget* parentWidget() const;

    QPointer<MainWindow> window_;
    QPointer<QProgressDialog> progress_;
    bool busy_ = false;
};

}  // namespace torvel
