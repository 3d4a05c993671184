#include "ui/qtprompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/mainwindow.h"

namespace torvel {

QStringList toQtNameFilters(const QString& filter) {
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i < parts.size(); i += 2) {
        QString display = parts[i].trimmed();
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                const QString pattern = p.trimmed();
                if (!pattern.isEmpty()) {
                    // "*.*" means every file on the platform the filters come from.
                    patterns << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
                }
            }
        }
        if (patterns.isEmpty()) {
            patterns << QStringLiteral("*");
        }
        display.remove(trailingPatterns);
        if (display.isEmpty()) {
            display = patterns == QStringList{QStringLiteral("*")} ? QStringLiteral("All files")
                                                                   : QStringLiteral("Files");
        }
        filters << QStringLiteral("%1 (%2)").arg(display, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

QColor colorFromNumber(int number) {
    return QColor(redOf(number), greenOf(number), blueOf(number));
}

int colorNumber(const QColor& color) {
    return colorNumber(color.red(), color.green(), color.blue());
}

void configureOpenDialog(QFileDialog& dialog, const OpenFileRequest& request) {
    if (!request.title.isEmpty()) {
        dialog.setWindowTitle(request.title);
    }
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(toQtNameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultExt);
    if (!request.initialDir.isEmpty()) {
        dialog.setDirectory(QDir::fromNativeSeparators(request.initialDir));
    }
}

QtPrompts::~QtPrompts() {
    if (busy_ && QGuiApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
}

void QtPrompts::attach(MainWindow* window) {
    window_ = window;
}

namespace {

// Notes the control that has the keyboard focus while a dialog is open and gives the focus back
// to it when the dialog closes: Enter then goes on where it was, it never lands on Close.
class FocusKeeper {
public:
    explicit FocusKeeper(MainWindow* window) : window_(window), focused_(QApplication::focusWidget()) {
        if (focused_ == nullptr && window_ != nullptr) {
            focused_ = window_->focusWidget();
        }
    }
    ~FocusKeeper() {
        if (window_ != nullptr && (focused_ == nullptr || window_->isAncestorOf(focused_))) {
            window_->restoreFocus(focused_);
        } else if (focused_ != nullptr && focused_->isVisible()) {
            focused_->activateWindow();
            focused_->setFocus(Qt::OtherFocusReason);
        }
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<MainWindow> window_;
    QPointer<QWidget> focused_;
};

}  // namespace

QWidget* QtPrompts::parentWidget() const {
    if (QWidget* active = QApplication::activeModalWidget()) {
        return active;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    return window_;
}

Answer QtPrompts::message(MessageIcon icon, MessageButtons buttons, const QString& title,
                          const QString& text) {
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
        case MessageIcon::None:
            boxIcon = QMessageBox::NoIcon;
            break;
        case MessageIcon::Information:
            boxIcon = QMessageBox::Information;
            break;
        case MessageIcon::Question:
            boxIcon = QMessageBox::Question;
            break;
        case MessageIcon::Critical:
            boxIcon = QMessageBox::Critical;
            break;
    }
    const bool yesNo = buttons != MessageButtons::Ok;
    QMessageBox box(boxIcon, title, text, yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                    parentWidget());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(!yesNo                                      ? QMessageBox::Ok
                         : buttons == MessageButtons::YesNoDefaultNo ? QMessageBox::No
                                                                     : QMessageBox::Yes);
    box.setEscapeButton(yesNo ? QMessageBox::No : QMessageBox::Ok);
    const FocusKeeper keeper(window_);
    const int result = box.exec();
    if (!yesNo) {
        return Answer::Ok;
    }
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::optional<QString> QtPrompts::openFile(const OpenFileRequest& request) {
    const FocusKeeper keeper(window_);
    QFileDialog dialog(parentWidget());
    configureOpenDialog(dialog, request);
    // Wide enough for the name, size, type and date columns of Qt's own dialog.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 460)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<int> QtPrompts::chooseColor(int preset) {
    const FocusKeeper keeper(window_);
    const QColor chosen = QColorDialog::getColor(colorFromNumber(preset), parentWidget());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return colorNumber(chosen);
}

QString installedFamily(const QString& family) {
    if (family.isEmpty() || QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        return family;
    }
    return QFontInfo(QFont(family)).family();
}

QString familyName(const QString& listed) {
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]\\s*$"));
    QString family = listed;
    return family.remove(foundry);
}

std::optional<FontChoice> QtPrompts::chooseFont(const FontChoice& preset) {
    // A family that is not installed here (Arial on most Linux desktops) opens the dialog on the
    // font that stands in for it, with its weight and size; left as it is, the family stays the
    // author's.
    const QString shownFamily = installedFamily(preset.family);
    QFont initial(shownFamily);
    if (preset.size > 0) {
        initial.setPointSizeF(preset.size);
    }
    initial.setBold(preset.bold);
    bool ok = false;
    const FocusKeeper keeper(window_);
    const QFont chosen = QFontDialog::getFont(&ok, initial, parentWidget());
    if (!ok) {
        return std::nullopt;
    }
    FontChoice result;
    result.family = familyName(chosen.family());
    if (result.family.compare(familyName(shownFamily), Qt::CaseInsensitive) == 0) {
        result.family = preset.family;
    }
    result.size = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : preset.size;
    result.bold = chosen.bold();
    return result;
}

std::optional<QString> QtPrompts::saveFile(const SaveFileRequest& request) {
    QFileDialog dialog(parentWidget());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(toQtNameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultExt);
    dialog.selectFile(QDir::fromNativeSeparators(request.initialPath));
    dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 460)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

void QtPrompts::showTable(const TableRequest& request) {
    QDialog dialog(parentWidget());
    dialog.setWindowTitle(request.title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QLabel(request.text, &dialog);
    text->setTextFormat(Qt::PlainText);
    layout->addWidget(text);
    auto* table = new QTableWidget(static_cast<int>(request.rows.size()),
                                   static_cast<int>(request.columns.size()), &dialog);
    table->setHorizontalHeaderLabels(request.columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    for (int r = 0; r < table->rowCount(); ++r) {
        for (int c = 0; c < table->columnCount(); ++c) {
            table->setItem(r, c, new QTableWidgetItem(request.rows[r].value(c)));
        }
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.resize(820, 420);
    dialog.exec();
}

bool QtPrompts::progress(const QString& title, qint64 done, qint64 total) {
    if (!progress_) {
        progress_ = new QProgressDialog(title, QStringLiteral("Cancel"), 0, 1000, parentWidget());
        progress_->setWindowTitle(title);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(0);
    }
    progress_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 1000);
    QCoreApplication::processEvents();
    return !progress_->wasCanceled();
}

void QtPrompts::progressEnd() {
    delete progress_;
}

void QtPrompts::setBusy(bool busy) {
    if (busy == busy_) {
        return;
    }
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtPrompts::showForm(const QString& form) {
    if (window_) {
        window_->showForm(form);
    }
}

void QtPrompts::closeForm(const QString& form) {
    if (window_) {
        window_->closeForm(form);
    }
}

void QtPrompts::openUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

bool QtPrompts::startProgram(const QString& path) {
    return QProcess::startDetached(path, {});
}

void QtPrompts::quit() {
    if (window_) {
        window_->close();
    }
    QCoreApplication::quit();
}

}  // namespace torvel
