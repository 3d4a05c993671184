#include "ui/widgets.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QSvgRenderer>

#include "ui/icons.h"
#include "ui/qtprompts.h"

namespace torvel {

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ColorSwatch::setColorNumber(int number) {
    if (number_ != number) {
        number_ = number;
        update();
    }
}

void ColorSwatch::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    if (number_ == kNoColor) {
        // The field names no colour: an empty box, struck through.
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRoundedRect(box, 4, 4);
        painter.drawLine(box.bottomLeft() + QPointF(3, -3), box.topRight() + QPointF(-3, 3));
        return;
    }
    painter.setBrush(colorFromNumber(number_));
    painter.drawRoundedRect(box, 4, 4);
}

ChoiceList::ChoiceList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit rowChosen(row(item)); });
}

void ChoiceList::focusInEvent(QFocusEvent* event) {
    // Taking the focus chooses nothing and marks nothing: the first arrow key then goes to the
    // first entry.
    const bool hadCurrent = currentIndex().isValid();
    QListWidget::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void ChoiceList::keyPressEvent(QKeyEvent* event) {
    // A key that selects the current entry without moving (Space) is a choice too.
    const int before = currentRow();
    const bool wasSelected = currentItem() != nullptr && currentItem()->isSelected();
    QListWidget::keyPressEvent(event);
    const bool selected = currentItem() != nullptr && currentItem()->isSelected();
    if (currentRow() >= 0 && selected && (currentRow() != before || !wasSelected)) {
        emit rowChosen(currentRow());
    }
}

FolderTree::FolderTree(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this)) {
    model_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    model_->setReadOnly(true);
    model_->setRootPath(QString());
    setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) {
        hideColumn(column);
    }
    header()->hide();
    setUniformRowHeights(true);
    setAnimated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            emit folderOpened(QDir::toNativeSeparators(model_->filePath(index)));
        }
    });
    // A folder below folders not yet read appears only once they have been listed: it is shown
    // again as each of them arrives, until the user takes over the tree.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& directory) {
        const QString loaded = QDir::fromNativeSeparators(directory);
        const QString prefix = loaded.endsWith(QLatin1Char('/')) ? loaded : loaded + QLatin1Char('/');
        if (!pending_.isEmpty() && (pending_ == loaded || pending_.startsWith(prefix))) {
            reveal(pending_);
        }
    });
}

bool FolderTree::showFolder(const QString& path) {
    const QString folder = QDir::fromNativeSeparators(path);
    if (folder.isEmpty() || !reveal(folder)) {
        pending_.clear();
        return false;
    }
    pending_ = folder;
    return true;
}

bool FolderTree::reveal(const QString& folder) {
    const QModelIndex index = model_->index(folder);
    if (!index.isValid()) {
        return false;
    }
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) {
        expand(parent);
    }
    {
        const QSignalBlocker blocker(selectionModel());
        setCurrentIndex(index);
    }
    viewport()->update();
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

void FolderTree::showEvent(QShowEvent* event) {
    QTreeView::showEvent(event);
    // A folder shown while the tree was hidden (on a page not shown yet) is scrolled to once
    // the tree has its size.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!pending_.isEmpty()) {
                reveal(pending_);
            }
        },
        Qt::QueuedConnection);
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
    pending_.clear();
    QTreeView::mousePressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent* event) {
    pending_.clear();
    QTreeView::wheelEvent(event);
}

QString FolderTree::currentFolder() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? QDir::toNativeSeparators(model_->filePath(index)) : QString();
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
    pending_.clear();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit folderOpened(currentFolder());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

BannerPanel::BannerPanel(QWidget* parent) : QWidget(parent) {
    setFixedWidth(sizeHint().width());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void BannerPanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer renderer(iconResource(QStringLiteral("banner")));
    if (!renderer.isValid()) {
        painter.fillRect(rect(), QColor(0x2b, 0x3f, 0x9e));
        return;
    }
    // Fill the whole panel, keeping the picture's proportions; the sides are cut when needed.
    const QSizeF picture = renderer.defaultSize();
    const qreal scale = std::max(width() / picture.width(), height() / picture.height());
    const QSizeF drawn = picture * scale;
    const QRectF target((width() - drawn.width()) / 2, (height() - drawn.height()) / 2, drawn.width(),
                        drawn.height());
    renderer.render(&painter, target);
}

}  // namespace torvel
