#include "ui/dialogform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "form/controlkinds.h"
#include "ui/formbinding.h"
#include "ui/icons.h"
#include "ui/qtprompts.h"
#include "wizard/controlnames.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

bool isLink(const Control& c) {
    return c.kind == ControlKind::Button &&
           (c.caption.startsWith(QStringLiteral("http"), Qt::CaseInsensitive) ||
            c.caption.startsWith(QStringLiteral("www."), Qt::CaseInsensitive));
}

}  // namespace

DialogForm::DialogForm(Wizard& wizard, const QString& form, QWidget* parent)
    : QDialog(parent), wizard_(wizard), form_(form) {
    setObjectName(form);
    binding_ = new FormBinding(wizard_, wizard_.dialog(form_), form_ + QLatin1Char('.'), this);
    binding_->onChange = [this](const Control& c) {
        if (c.kind == ControlKind::Frame) {
            frameChanged();
        }
    };
    build();
}

QWidget* DialogForm::control(const QString& name) const {
    return binding_->widget(name);
}

bool DialogForm::isOutdated() const {
    return wizard_.dialog(form_).controls().size() != drawnControls_;
}

void DialogForm::build() {
    const FormModel& model = wizard_.dialog(form_);
    drawnControls_ = model.controls().size();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 18, 18, 14);
    outer->setSpacing(14);
    auto* body = new QHBoxLayout;
    body->setSpacing(18);
    auto* pictures = new QVBoxLayout;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);

    QPushButton* firstButton = nullptr;
    const auto& controls = model.controls();
    int row = 0;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Control& c = controls[i];
        if (c.kind == ControlKind::Frame || c.kind == ControlKind::MenuItem) {
            continue;
        }
        QWidget* w = binding_->create(c.name, this);
        if (c.kind == ControlKind::Picture) {
            if (auto* picture = qobject_cast<QLabel*>(w)) {
                picture->setPixmap(svgPixmap(QStringLiteral("torvel"), QSize(64, 64), devicePixelRatioF()));
            }
            pictures->addWidget(w, 0, Qt::AlignTop | Qt::AlignHCenter);
        } else if (isLink(c)) {
            auto* link = qobject_cast<QPushButton*>(w);
            link->setFlat(true);
            link->setCursor(Qt::PointingHandCursor);
            // Light on the dialog's own background colour, dark on the platform's.
            const bool darkBackground = frameColor() != 0 && colorFromNumber(frameColor()).lightness() < 160;
            link->setStyleSheet(
                QStringLiteral("QPushButton { color: %1; text-decoration: underline; "
                               "border: none; text-align: left; padding: 2px 0; }")
                    .arg(darkBackground ? QStringLiteral("#ffffff") : QStringLiteral("#1c3faa")));
            grid->addWidget(w, row++, 0, 1, 2);
        } else if (c.kind == ControlKind::Button || c.kind == ControlKind::PictureButton) {
            w->setMinimumWidth(90);
            buttons->addWidget(w);
            if (firstButton == nullptr) {
                firstButton = qobject_cast<QPushButton*>(w);
            }
        } else if (c.kind == ControlKind::Label && i + 1 < controls.size() &&
                   isValueControl(controls[i + 1].kind)) {
            // A label followed by its field: one row.
            const Control& field = controls[++i];
            grid->addWidget(w, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
            grid->addWidget(binding_->create(field.name, this), row++, 1);
        } else {
            if (auto* label = qobject_cast<QLabel*>(w)) {
                label->setWordWrap(true);
            }
            grid->addWidget(w, row++, 0, 1, 2);
        }
    }
    pictures->addStretch(1);
    grid->setRowStretch(row, 1);
    if (pictures->count() > 1) {
        body->addLayout(pictures);
    } else {
        delete pictures;
    }
    body->addLayout(grid, 1);
    outer->addLayout(body, 1);
    outer->addLayout(buttons);

    // OK is the default button when the form has one, otherwise the first button.
    QPushButton* ok = qobject_cast<QPushButton*>(binding_->widget(ctl::cmdOK));
    if (ok == nullptr) {
        ok = firstButton;
    }
    if (ok != nullptr) {
        ok->setDefault(true);
    }
    setMinimumWidth(360);
    frameChanged();
}

int DialogForm::frameColor() const {
    for (const Control& c : wizard_.dialog(form_).controls()) {
        if (c.kind == ControlKind::Frame) {
            return c.color;
        }
    }
    return 0;
}

void DialogForm::frameChanged() {
    QString caption;
    for (const Control& c : wizard_.dialog(form_).controls()) {
        if (c.kind == ControlKind::Frame) {
            caption = c.caption;
            break;
        }
    }
    const int color = frameColor();
    setWindowTitle(caption.isEmpty() ? form_ : caption);
    // A frame without a colour (0) keeps the platform's background.
    setAutoFillBackground(color != 0);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color != 0 ? colorFromNumber(color) : QPalette().color(QPalette::Window));
    setPalette(pal);
}

void DialogForm::closeByModel() {
    done(QDialog::Accepted);
}

void DialogForm::reject() {
    // Closed by the user (Escape or the window's close box): the model learns it is closed.
    QDialog::reject();
    if (wizard_.isDialogOpen(form_)) {
        wizard_.setDialogOpen(form_, false);
    }
}

}  // namespace torvel
