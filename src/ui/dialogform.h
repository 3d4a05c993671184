#pragma once

#include <QDialog>

class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace torvel {

class FormBinding;
class Wizard;

// A dialog form of the wizard ("frmFiles", "frmAbout") drawn from its model: every control by
// its kind, pictures on the left, buttons in a row at the bottom. A Frame control gives the
// caption and, when it has a colour, the background. Events go to the wizard as "FORM.NAME".
class DialogForm : public QDialog {
    Q_OBJECT
public:
    DialogForm(Wizard& wizard, const QString& form, QWidget* parent = nullptr);

    const QString& formName() const { return form_; }
    FormBinding& binding() { return *binding_; }
    QWidget* control(const QString& name) const;
    // True when the model holds controls that this dialog has not drawn.
    bool isOutdated() const;
    // Closes the dialog on the model's request, without reporting it back.
    void closeByModel();

public slots:
    void reject() override;

private:
    // Where the form's controls go: pictures on the left, fields in a grid, buttons at the bottom.
    struct Sections {
        QVBoxLayout* pictures = nullptr;
        QGridLayout* grid = nullptr;
        QHBoxLayout* buttons = nullptr;
        int row = 0;
        QPushButton* firstButton = nullptr;
        QPushButton* defaultButton = nullptr;
    };
    void build();
    void placeControls(Sections& sections);
    void styleAsLink(QPushButton* link) const;
    // Every button and field label gets an access key.
    void giveAccessKeys();
    void frameChanged();
    // The background colour number of the form's frame; 0 when it has none.
    int frameColor() const;

    Wizard& wizard_;
    QString form_;
    FormBinding* binding_;
    std::size_t drawnControls_ = 0;
};

}  // namespace torvel
