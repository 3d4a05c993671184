-- Torvel.dat: the menus, their file entries and the shared styles.
-- Keys grow with every insert and are never reused; text compares without regard to letter case.

CREATE TABLE tblMenus (
    MenuID   INTEGER PRIMARY KEY AUTOINCREMENT,
    Template TEXT COLLATE NOCASE,
    Title    TEXT COLLATE NOCASE,
    StyleNo  INTEGER,
    Root     TEXT COLLATE NOCASE
);

CREATE TABLE tblDetails (
    MenuNo      INTEGER,
    Category    TEXT COLLATE NOCASE,
    FileName    TEXT COLLATE NOCASE,
    FileLink    TEXT COLLATE NOCASE,
    Description TEXT COLLATE NOCASE,
    Screenshot  TEXT COLLATE NOCASE
);

CREATE TABLE tblStyles (
    StyleID        INTEGER PRIMARY KEY AUTOINCREMENT,
    StyleName      TEXT COLLATE NOCASE,
    BackColor      TEXT COLLATE NOCASE,
    BackImage      TEXT COLLATE NOCASE,
    Soundfile      TEXT COLLATE NOCASE,
    Logofile       TEXT COLLATE NOCASE,
    LogoTop        TEXT COLLATE NOCASE,
    LogoLeft       TEXT COLLATE NOCASE,
    ButtonOnImage  TEXT COLLATE NOCASE,
    ButtonOffImage TEXT COLLATE NOCASE,
    TitleFont      TEXT COLLATE NOCASE,
    TitleColor     TEXT COLLATE NOCASE,
    ButtonFont     TEXT COLLATE NOCASE,
    ButtonColor    TEXT COLLATE NOCASE,
    TextFont       TEXT COLLATE NOCASE,
    TextColor      TEXT COLLATE NOCASE,
    HyperFont      TEXT COLLATE NOCASE,
    HyperColor     TEXT COLLATE NOCASE,
    HyperColorA    TEXT COLLATE NOCASE
);

-- Three sample styles made of colours and fonts only.
INSERT INTO tblStyles (StyleName, BackColor, BackImage, Soundfile, Logofile, LogoTop, LogoLeft,
    ButtonOnImage, ButtonOffImage, TitleFont, TitleColor, ButtonFont, ButtonColor, TextFont, TextColor,
    HyperFont, HyperColor, HyperColorA) VALUES
('Midnight', 'RGB(24,32,56)', 'none', 'none', 'none', '0', '0', 'none', 'none',
 'Verdana;18pt;bold', 'RGB(240,240,250)', 'Verdana;11pt;bold', 'RGB(170,190,230)',
 'Verdana;10pt;normal', 'RGB(220,224,236)', 'Verdana;10pt;normal', 'RGB(120,200,255)', 'RGB(255,200,80)'),
('Paper', 'RGB(250,247,240)', 'none', 'none', 'none', '0', '0', 'none', 'none',
 'Georgia;20pt;bold', 'RGB(60,50,40)', 'Georgia;11pt;bold', 'RGB(90,75,60)',
 'Georgia;11pt;normal', 'RGB(50,45,40)', 'Georgia;11pt;normal', 'RGB(160,60,30)', 'RGB(210,100,40)'),
('Meadow', 'RGB(232,245,233)', 'none', 'none', 'none', '0', '0', 'none', 'none',
 'Trebuchet MS;18pt;bold', 'RGB(27,94,32)', 'Trebuchet MS;11pt;bold', 'RGB(46,125,50)',
 'Trebuchet MS;10pt;normal', 'RGB(33,33,33)', 'Trebuchet MS;10pt;normal', 'RGB(21,101,192)', 'RGB(230,81,0)');
