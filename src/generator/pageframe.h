#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <optional>

#include "form/stylevalues.h"

namespace torvel {

class TextFileWriter;

// Where a start page's twin (Index.hta) goes, written from the same bytes, and why it was not
// written when it was not (the page itself still is).
struct PageTwin {
    QString path;
    std::optional<QString> failure;
};

// What a start page takes from the wizard: the CD root (ending in a separator), the open menu,
// the title and the style's sound, logo and button images as the fields hold them, and the
// style's other values (the Modern page carries them inline; the other pages link the style sheet).
struct PageInputs {
    QString cdRoot;
    qint64 menuId = 0;
    QString title;
    QString sound;
    QString logo;
    QString buttonOn;
    QString buttonOff;
    PageTwin* twin = nullptr;
    StyleSheetValues style{};
    // Where the page's bytes go instead of the files, for a comparison with the page on disc.
    QByteArray* capture = nullptr;
};

// Whether an entry's category belongs to the category a group stands for, compared as the
// database groups them (the column's NOCASE: letter case ignored for A to Z only). A category
// without a value (an entry stored with none at all) is a group of its own.
bool sameCategory(const QVariant& entry, const QVariant& group);

// The start page's path: the CD root followed by "Index.htm".
QString createMenuFile(const QString& cdRoot);

// "Menu/" + the file name of a style path, percent-encoded for a link.
QString menuAssetReference(const QString& path);
void appendMenuAssetReference(QString& out, QStringView path);

// The click handler a button calls: displayText (file buttons) or displayCat (category buttons).
enum class ButtonHandler { DisplayText, DisplayCat };

// An entry's panel: a title block and a description block, each a one-row table of a text cell
// and, on the pages with screenshots, an image cell. The templates differ only in these lines.
struct EntryPanel {
    QString titleOpen;        // the title block's opening tag
    QString title;            // the title cell's paragraph
    QString titleShot;        // the title row's image cell; empty: none
    QString descriptionOpen;  // the description block's opening tag
    QString description;      // the description cell's paragraph (and link)
    QString descriptionShot;  // the description row's image cell; empty: none
    QString descriptionRowEnd;
    QString close;  // the closing tag of either block
};

// The blocks every start page shares, written in page order by the template writers.
class PageFrame {
public:
    PageFrame(TextFileWriter& out, const PageInputs& inputs) : out_(out), in_(inputs) {}

    // Where the start page's twin goes; empty when none is asked for.
    static QString twinPath(const PageInputs& inputs) { return inputs.twin ? inputs.twin->path : QString(); }

    void headBlock();
    void scriptOpening();
    void buttonScript();
    void pageTop();
    // One button per label: image box, text box, positions from 120 down in steps of 35.
    void buttonColumn(const QStringList& labels, ButtonHandler handler);
    // Button `index` of the column, for writers that read the labels one at a time.
    void button(qint32 index, QStringView label, ButtonHandler handler);
    void entryPanel(const EntryPanel& panel);
    void footer();
    // Puts the page (and its twin) in place; a failure throws.
    void close();

    void line(QStringView text);
    // A line of plain ASCII, copied as its bytes.
    void line(QLatin1StringView text);
    // The line being built: begin() empties it, the writer appends its pieces, end() writes it.
    QString& begin() {
        line_.resize(0);
        return line_;
    }
    void end();
    // A second buffer for a value escaped in two steps.
    QString& scratch() {
        scratch_.resize(0);
        return scratch_;
    }

private:
    TextFileWriter& out_;
    const PageInputs& in_;
    QString line_;
    QString scratch_;
    QString buttonImage_;  // the button column's image line, made once
};

}  // namespace torvel
