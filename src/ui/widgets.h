#pragma once

#include <QListWidget>
#include <QTreeView>
#include <QWidget>

class QFileSystemModel;

namespace torvel {

// A small filled rectangle showing a colour number (0x00BBGGRR).
class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    void setColorNumber(int number);
    int colorNumber() const { return number_; }
    QSize sizeHint() const override { return {40, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int number_ = 0;
};

// A list of choices whose Click is a choice by mouse or by keyboard: a click on an entry, also
// on the one already chosen, or moving to another entry with the arrow, page or home/end keys.
class ChoiceList : public QListWidget {
    Q_OBJECT
public:
    explicit ChoiceList(QWidget* parent = nullptr);

signals:
    void rowChosen(int row);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The folder list: the file system's folders as a tree. A click (or Enter) on a folder asks to
// open it; showFolder selects and reveals a folder without asking.
class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);
    QFileSystemModel* fileSystem() const { return model_; }
    // Selects and scrolls to a folder; false when the folder does not exist.
    bool showFolder(const QString& path);
    // The folder selected in the tree, with the platform's separators; empty when none.
    QString currentFolder() const;

signals:
    void folderOpened(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Expands the folders above a folder, selects and scrolls to it; false when it is unknown.
    bool reveal(const QString& folder);

    QFileSystemModel* model_;
    // The folder shown by the program while the folders above it are still being listed.
    QString pending_;
};

// The picture panel at the right edge of the window: a vertical banner that fills its height.
class BannerPanel : public QWidget {
    Q_OBJECT
public:
    explicit BannerPanel(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {150, 480}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace torvel
