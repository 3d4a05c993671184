#include "ui/pagelayouts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "ui/formbinding.h"
#include "ui/icons.h"
#include "ui/widgets.h"
#include "wizard/controlnames.h"

namespace torvel {

namespace {

constexpr int kLabelColumnWidth = 150;

QGridLayout* newGrid() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(9);
    grid->setColumnMinimumWidth(0, kLabelColumnWidth);
    grid->setColumnStretch(1, 1);
    return grid;
}

// Gives a widget its role in the window's style sheet; a widget already polished (the page body
// asks for sizes as controls arrive) is polished again so that the role shows.
void setRole(QWidget* w, const QString& role) {
    w->setProperty("role", role);
    w->style()->unpolish(w);
    w->style()->polish(w);
}

}  // namespace

const std::vector<PageLayouts::Menu>& PageLayouts::menus() {
    static const std::vector<Menu> kMenus = {
        {ctl::mnuFile, {{ctl::mnuQuit, QKeySequence::Quit}}, 'f'},
        {ctl::mnuDisc,
         {{ctl::mnuCheckDisc, QKeySequence::UnknownKey},
          {ctl::mnuPreview, QKeySequence::UnknownKey},
          {ctl::mnuOpenRoot, QKeySequence::UnknownKey},
          {ctl::mnuMakeIso, QKeySequence::UnknownKey}},
         // Not D, which Find on "Add Files" needs: the other letters of Find open File and Help or
         // press Next and Finish.
         's'},
        {ctl::mnuHelp, {{ctl::mnuAbout, QKeySequence::UnknownKey}}, 'h'},
    };
    return kMenus;
}

QChar PageLayouts::menuAccessKey(const QString& name, const QString& caption) {
    for (const Menu& menu : menus()) {
        if (name == QLatin1String(menu.name)) {
            return QLatin1Char(menu.key);
        }
    }
    return caption.isEmpty() ? QChar() : caption[0];
}

void PageLayouts::fillPage(int index, QVBoxLayout* layout, QWidget* page) {
    switch (index) {
        case 0:
            buildWelcome(layout, page);
            break;
        case 1:
            buildGeneral(layout, page);
            break;
        case 2:
            buildImages(layout, page);
            break;
        case 3:
            buildFonts(layout, page);
            break;
        case 4:
            buildFiles(layout, page);
            break;
        default:
            break;
    }
    addLeftovers(index, layout, page);
}

const std::vector<const char*>& PageLayouts::barButtons() {
    static const std::vector<const char*> kButtons = {ctl::cmdClose, ctl::cmdBack, ctl::cmdNext, ctl::Finish};
    return kButtons;
}

void PageLayouts::fillButtonBar(QHBoxLayout* layout, QWidget* bar) {
    for (const char* name : barButtons()) {
        QWidget* button = make(QString::fromLatin1(name), bar);
        button->setMinimumWidth(100);
        layout->addWidget(button);
        if (qstrcmp(name, ctl::cmdClose) == 0) {
            layout->addStretch(1);
        }
    }
}

void PageLayouts::fillBanner(QWidget* banner) {
    binding_.adopt(ctl::Image1, banner);
    auto* layout = new QVBoxLayout(banner);
    layout->setContentsMargins(0, 28, 0, 0);
    if (auto* emblem = qobject_cast<QLabel*>(make(ctl::imgPreview, banner))) {
        emblem->setPixmap(svgPixmap(QStringLiteral("torvel"), QSize(72, 72), banner->devicePixelRatioF()));
        layout->addWidget(emblem, 0, Qt::AlignHCenter | Qt::AlignTop);
    }
    layout->addStretch(1);
}

QWidget* PageLayouts::make(const QString& name, QWidget* parent) {
    QWidget* w = binding_.create(name, parent);
    if (w == nullptr) {
        // A control missing from the model: an empty placeholder keeps the layout intact.
        w = new QWidget(parent);
        w->hide();
    }
    return w;
}

QWidget* PageLayouts::makeIntro(const QString& name, QWidget* parent) {
    QWidget* w = make(name, parent);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setWordWrap(true);
        setRole(label, QStringLiteral("intro"));
    }
    return w;
}

void PageLayouts::labelField(const QString& label, const QString& field) {
    if (auto* l = binding_.as<QLabel>(label)) {
        l->setBuddy(binding_.widget(field));
    }
}

void PageLayouts::addRow(QGridLayout* grid, int row, QWidget* parent, const QString& label,
                         const QString& field, const QString& button, const QString& swatch,
                         const QString& button2) {
    if (!label.isEmpty()) {
        grid->addWidget(make(label, parent), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (!field.isEmpty()) {
        grid->addWidget(make(field, parent), row, 1);
        labelField(label, field);
    }
    if (!button.isEmpty()) {
        QWidget* w = make(button, parent);
        w->setMinimumWidth(84);
        grid->addWidget(w, row, 2);
    }
    if (!button2.isEmpty()) {
        QWidget* w = make(button2, parent);
        w->setMinimumWidth(84);
        grid->addWidget(w, row, 3);
    }
    if (!swatch.isEmpty()) {
        grid->addWidget(make(swatch, parent), row, 3, Qt::AlignCenter);
    }
}

void PageLayouts::buildWelcome(QVBoxLayout* layout, QWidget* page) {
    layout->addWidget(makeIntro(ctl::Label4, page));
    layout->addSpacing(10);

    auto* choices = new QHBoxLayout;
    choices->setSpacing(18);
    choices->addStretch(1);
    // The three choices, each a picture button with our icon for it.
    const std::pair<const char*, const char*> choicesWithIcons[] = {
        {ctl::cmdNew, "new"}, {ctl::cmdEdit, "load"}, {ctl::cmdDelete, "delete"}};
    for (const auto& [name, icon] : choicesWithIcons) {
        QWidget* w = make(QString::fromLatin1(name), page);
        if (auto* button = qobject_cast<QToolButton*>(w)) {
            setRole(button, QStringLiteral("picture"));
            button->setIcon(svgIcon(QString::fromLatin1(icon)));
            button->setIconSize(QSize(64, 64));
            button->setFixedSize(150, 132);
            button->setCursor(Qt::PointingHandCursor);
        }
        choices->addWidget(w);
    }
    choices->addStretch(1);
    layout->addLayout(choices);
    layout->addSpacing(18);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(9);
    grid->setColumnStretch(1, 1);
    addRow(grid, 0, page, ctl::Label40, ctl::cmbMenuL, ctl::cmdLoad);
    addRow(grid, 1, page, ctl::Label2, ctl::cmbMenus, ctl::cmdMDelete);
    auto* holder = new QHBoxLayout;
    holder->addSpacing(40);
    holder->addLayout(grid, 1);
    holder->addSpacing(40);
    layout->addLayout(holder);
    layout->addStretch(1);
}

void PageLayouts::buildGeneral(QVBoxLayout* layout, QWidget* page) {
    QGridLayout* grid = newGrid();
    addRow(grid, 0, page, ctl::Label30, ctl::txtTitle);
    addRow(grid, 1, page, ctl::Label1, ctl::cmbTemplate);
    addRow(grid, 2, page, ctl::Label31, ctl::cmbStyles);
    layout->addLayout(grid);
    layout->addSpacing(6);

    layout->addWidget(makeIntro(ctl::Label25, page));
    layout->addWidget(makeIntro(ctl::Label26, page));

    QGridLayout* root = newGrid();
    addRow(root, 0, page, ctl::Label28, ctl::lblRoot);
    if (auto* label = binding_.as<QLabel>(ctl::lblRoot)) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    root->addWidget(make(ctl::Drive1, page), 1, 1);
    QWidget* folders = make(ctl::Dir1, page);
    folders->setMinimumHeight(150);
    root->addWidget(folders, 2, 1);
    // "CD root folder:" names the folder chosen in the list.
    labelField(ctl::Label28, ctl::Dir1);
    root->setRowStretch(2, 1);
    layout->addLayout(root, 1);
}

void PageLayouts::buildImages(QVBoxLayout* layout, QWidget* page) {
    layout->addWidget(makeIntro(ctl::Label36, page));
    layout->addSpacing(4);
    QGridLayout* grid = newGrid();
    int row = 0;
    addRow(grid, row++, page, ctl::Label5, ctl::txtStyleName);
    addRow(grid, row++, page, ctl::Label6, ctl::txtBackgroundColor, ctl::cmdPickColor, ctl::colBack);
    addRow(grid, row++, page, ctl::Label7, ctl::txtBackImage, ctl::cmdBImage);
    addRow(grid, row++, page, ctl::Label8, ctl::txtLogoImage, ctl::cmdLImage);
    addRow(grid, row++, page, ctl::Label9, ctl::txtTop);
    addRow(grid, row++, page, ctl::Label10, ctl::txtLeft);
    addRow(grid, row++, page, ctl::Label11, ctl::txtBSound, ctl::cmdBSound);
    addRow(grid, row++, page, ctl::Label12, ctl::txtButtonOn, ctl::cmdButtonOn);
    addRow(grid, row++, page, ctl::Label13, ctl::txtButtonOff, ctl::cmdButtonOff);
    for (const char* narrow : {ctl::txtTop, ctl::txtLeft}) {
        if (QWidget* w = binding_.widget(QString::fromLatin1(narrow))) {
            w->setMaximumWidth(90);
            grid->setAlignment(w, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    grid->setColumnMinimumWidth(3, 44);
    layout->addLayout(grid);
    layout->addStretch(1);
}

void PageLayouts::buildFonts(QVBoxLayout* layout, QWidget* page) {
    // Nine rows in four groups: closer together than on the other pages, so that they fit the
    // smallest window.
    layout->setSpacing(8);
    layout->addWidget(makeIntro(ctl::Label34, page));

    // One group per text kind, a row each for its font and its colour (the hyperlinks' active
    // colour a third): every field gets the whole width, so long font values show in full.
    struct Group {
        const char* frame;
        std::vector<std::array<const char*, 4>> rows;  // label, field, button, swatch
    };
    const Group groups[] = {
        {ctl::fraTitle,
         {{ctl::Label14, ctl::txtTitleFont, ctl::cmdTFont, ""},
          {ctl::Label15, ctl::txtTitleColor, ctl::cmdTColor, ctl::colTitle}}},
        {ctl::fraButtons,
         {{ctl::Label16, ctl::txtButtonFont, ctl::cmdBFont, ""},
          {ctl::Label17, ctl::txtBColor, ctl::cmdBColor, ctl::colButton}}},
        {ctl::fraText,
         {{ctl::Label18, ctl::txtDFont, ctl::cmdDFont, ""},
          {ctl::Label19, ctl::txtDColor, ctl::cmdDColor, ctl::colText}}},
        {ctl::fraHyperlinks,
         {{ctl::Label20, ctl::txtHFont, ctl::cmdHFont, ""},
          {ctl::Label21, ctl::txtHColor, ctl::cmdHColor, ctl::colHyper},
          {ctl::Label22, ctl::txtHColorActive, ctl::cmdHColorActive, ctl::colHyperA}}},
    };
    const auto name = [](const char* n) { return QString::fromLatin1(n); };
    for (const Group& g : groups) {
        auto* box = new QGroupBox(page);
        box->setObjectName(name(g.frame));
        binding_.adopt(name(g.frame), box);
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(12, 6, 12, 6);
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(6);
        // The same label column in every group, so that the fields line up down the page.
        grid->setColumnMinimumWidth(0, kLabelColumnWidth - 12);
        grid->setColumnStretch(1, 1);
        grid->setColumnMinimumWidth(3, 44);
        int row = 0;
        for (const auto& r : g.rows) {
            grid->addWidget(make(name(r[0]), box), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
            grid->addWidget(make(name(r[1]), box), row, 1);
            labelField(name(r[0]), name(r[1]));
            QWidget* button = make(name(r[2]), box);
            button->setMinimumWidth(84);
            grid->addWidget(button, row, 2);
            if (r[3][0] != '\0') {
                grid->addWidget(make(name(r[3]), box), row, 3, Qt::AlignCenter);
            }
            ++row;
        }
        layout->addWidget(box);
    }
    layout->addStretch(1);
}

void PageLayouts::buildFiles(QVBoxLayout* layout, QWidget* page) {
    layout->addWidget(makeIntro(ctl::Label33, page));
    layout->addSpacing(2);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(18);
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(make(ctl::Label23, page));
    QWidget* list = make(ctl::lstFiles, page);
    labelField(ctl::Label23, ctl::lstFiles);
    list->setFixedWidth(200);
    left->addWidget(list, 1);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    QGridLayout* grid = newGrid();
    grid->setColumnMinimumWidth(0, 100);
    addRow(grid, 0, page, ctl::Label24, ctl::txtFile, ctl::cmdFile, {}, ctl::cmdFind);
    const auto addWide = [&](int row, const QString& label, const QString& field) {
        grid->addWidget(make(label, page), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(make(field, page), row, 1, 1, 3);
        labelField(label, field);
    };
    addWide(1, ctl::Label27, ctl::txtFileTitle);
    grid->addWidget(make(ctl::Label29, page), 2, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(make(ctl::txtFileDescription, page), 2, 1, 1, 3);
    labelField(ctl::Label29, ctl::txtFileDescription);
    grid->setRowStretch(2, 1);
    addRow(grid, 3, page, ctl::lblScreen, ctl::txtFileScreenshot, ctl::cmdFScreenshot);
    addWide(4, ctl::lblCat, ctl::txtFileCat);
    right->addLayout(grid, 1);

    auto* actions = new QHBoxLayout;
    actions->setSpacing(8);
    actions->addStretch(1);
    for (const char* name : {ctl::cmdNewF, ctl::cmdSave, ctl::cmdFileRemove}) {
        QWidget* button = make(QString::fromLatin1(name), page);
        button->setMinimumWidth(92);
        actions->addWidget(button);
    }
    right->addSpacing(4);
    right->addLayout(actions);
    columns->addLayout(right, 1);
    layout->addLayout(columns, 1);
}

void PageLayouts::addLeftovers(int index, QVBoxLayout* layout, QWidget* page) {
    // Controls of this page that the layout above does not place are still drawn, at the end.
    QGridLayout* grid = nullptr;
    int row = 0;
    for (const QString& name : binding_.notCreated()) {
        const Control* c = binding_.form().find(name);
        if (c == nullptr || c->page != index) {
            continue;
        }
        if (grid == nullptr) {
            grid = newGrid();
            layout->addLayout(grid);
        }
        grid->addWidget(make(name, page), row++, 0, 1, 2);
    }
}

}  // namespace torvel
