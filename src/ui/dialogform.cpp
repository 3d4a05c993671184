#include "ui/dialogform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "form/controlkinds.h"
#include "ui/accesskeys.h"
#include "ui/formbinding.h"
#include "ui/icons.h"
#include "ui/qtprompts.h"
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
    // A dialog of the program: its icon, a close button, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());
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
    drawnControls_ = wizard_.dialog(form_).controls().size();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 18, 18, 14);
    outer->setSpacing(14);
    auto* body = new QHBoxLayout;
    body->setSpacing(18);
    Sections sections;
    sections.pictures = new QVBoxLayout;
    sections.grid = new QGridLayout;
    sections.grid->setHorizontalSpacing(10);
    sections.grid->setVerticalSpacing(8);
    sections.grid->setColumnStretch(1, 1);
    sections.buttons = new QHBoxLayout;
    sections.buttons->addStretch(1);

    placeControls(sections);

    sections.pictures->addStretch(1);
    sections.grid->setRowStretch(sections.row, 1);
    if (sections.pictures->count() > 1) {
        body->addLayout(sections.pictures);
    } else {
        delete sections.pictures;
    }
    body->addLayout(sections.grid, 1);
    outer->addLayout(body, 1);
    outer->addLayout(sections.buttons);

    // The form's default button when it names one, otherwise the first button.
    QPushButton* defaultButton =
        sections.defaultButton != nullptr ? sections.defaultButton : sections.firstButton;
    if (defaultButton != nullptr) {
        defaultButton->setDefault(true);
    }
    setMinimumWidth(360);
    giveAccessKeys();
    frameChanged();
}

void DialogForm::giveAccessKeys() {
    QStringList names;
    QStringList captions;
    for (const Control& c : wizard_.dialog(form_).controls()) {
        QWidget* w = binding_->widget(c.name);
        auto* label = qobject_cast<QLabel*>(w);
        if (qobject_cast<QAbstractButton*>(w) != nullptr || (label != nullptr && label->buddy() != nullptr)) {
            names << c.name;
            captions << c.caption;
        }
    }
    const std::vector<QChar> keys = chooseAccessKeys(captions, QString());
    for (qsizetype i = 0; i < names.size(); ++i) {
        binding_->setAccessKey(names[i], keys[i]);
    }
}

void DialogForm::placeControls(Sections& sections) {
    const auto& controls = wizard_.dialog(form_).controls();
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
            sections.pictures->addWidget(w, 0, Qt::AlignTop | Qt::AlignHCenter);
        } else if (isLink(c)) {
            styleAsLink(qobject_cast<QPushButton*>(w));
            sections.grid->addWidget(w, sections.row++, 0, 1, 2);
        } else if (c.kind == ControlKind::Button || c.kind == ControlKind::PictureButton) {
            w->setMinimumWidth(90);
            sections.buttons->addWidget(w);
            auto* button = qobject_cast<QPushButton*>(w);
            if (sections.firstButton == nullptr) {
                sections.firstButton = button;
            }
            if (c.defaultButton && sections.defaultButton == nullptr) {
                sections.defaultButton = button;
            }
        } else if (c.kind == ControlKind::Label && i + 1 < controls.size() &&
                   isValueControl(controls[i + 1].kind)) {
            // A label followed by its field: one row.
            const Control& field = controls[++i];
            QWidget* fieldWidget = binding_->create(field.name, this);
            sections.grid->addWidget(w, sections.row, 0, Qt::AlignLeft | Qt::AlignVCenter);
            sections.grid->addWidget(fieldWidget, sections.row++, 1);
            qobject_cast<QLabel*>(w)->setBuddy(fieldWidget);
        } else {
            if (auto* label = qobject_cast<QLabel*>(w)) {
                label->setWordWrap(true);
            }
            if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
                // A few lines of a description at once; longer ones scroll.
                text->setFixedHeight(text->fontMetrics().lineSpacing() * 5 + 12);
            }
            sections.grid->addWidget(w, sections.row++, 0, 1, 2);
        }
    }
}

void DialogForm::styleAsLink(QPushButton* link) const {
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    // Light on the dialog's own background colour, dark on the platform's.
    const bool darkBackground = frameColor() != 0 && colorFromNumber(frameColor()).lightness() < 160;
    link->setStyleSheet(QStringLiteral("QPushButton { color: %1; text-decoration: underline; "
                                       "border: none; text-align: left; padding: 2px 0; }")
                            .arg(darkBackground ? QStringLiteral("#ffffff") : QStringLiteral("#1c3faa")));
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
