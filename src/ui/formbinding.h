#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "form/formmodel.h"

namespace torvel {

class Wizard;

// Draws the controls of one form model as widgets and binds them both ways: a model change
// updates the widget (with its signals blocked), and user input goes to the model or to the
// wizard's events (click, choose, openFolder, pickDrive). Controls of a dialog form carry the
// prefix "frmFiles." in the events they fire.
class FormBinding : public QObject {
    Q_OBJECT
public:
    FormBinding(Wizard& wizard, FormModel& form, QString prefix, QObject* parent = nullptr);

    FormModel& form() { return form_; }
    Wizard& wizard() { return wizard_; }
    // The name under which the wizard knows a control: the prefix and the control's name.
    QString qualified(const QString& name) const { return prefix_ + name; }

    // Creates the widget of a control by its kind, shows the model's values and binds it.
    // Frames, menu items and unknown names give no widget.
    QWidget* create(const QString& name, QWidget* parent = nullptr);
    // Binds a widget that the owner drew for a control: a QGroupBox for a label shows the
    // caption as its title; any widget follows the tooltip and visibility.
    void adopt(const QString& name, QWidget* widget);
    QWidget* widget(const QString& name) const;
    template <typename W>
    W* as(const QString& name) const {
        return qobject_cast<W*>(widget(name));
    }
    // Gives a control's widget its access key and shows it (ui/accesskeys.h).
    void setAccessKey(const QString& name, QChar key);
    // Names of the form's controls that have no widget yet (frames and menu items excluded).
    QStringList notCreated() const;

    // Called after a control's widget was updated, also for controls without a widget.
    std::function<void(const Control&)> onChange;

private:
    void refresh(const QString& name);
    void apply(const Control& c, QWidget* w);

    Wizard& wizard_;
    FormModel& form_;
    QString prefix_;
    std::map<QString, QPointer<QWidget>> widgets_;
};

}  // namespace torvel
