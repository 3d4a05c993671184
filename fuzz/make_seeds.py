#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

The binary targets read texts as InputReader::text does: a head byte (low six bits the length,
high two bits the form: 0 Latin-1, 1 UTF-8, 2 UTF-16 code units) and the bytes. Run it again
after changing an input layout; libFuzzer keeps what it finds in its own corpus folder.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def latin1(s):
    b = s.encode("latin-1")
    assert len(b) < 64
    return bytes([len(b)]) + b


def utf8(s):
    b = s.encode("utf-8")
    assert len(b) < 64
    return bytes([0x40 | len(b)]) + b


def utf16(s):
    b = s.encode("utf-16-le", "surrogatepass")
    assert len(b) // 2 < 64
    return bytes([0x80 | (len(b) // 2)]) + b


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def values():
    def seed(first, number, size, bold, rest):
        return latin1(first) + struct.pack(">i", number) + struct.pack("<d", size) + bytes([bold]) + rest.encode()
    write("values", "rgb", seed("RGB(24,32,56)", 0x102030, 12.0, 1, "Verdana;18pt;bold"))
    write("values", "halves", seed("RGB(0.5,254.5,-3)", -1, 10.5, 0, "Times New Roman;10.5pt;Normal"))
    write("values", "short", seed("RGB()", 0xFFFFFF, 0.4, 1, "Arial;;"))
    write("values", "numbers", seed(" 32767.5 ", 255, 1e300, 0, "-32768.4"))


def paths():
    def seed(form, path, root, rest):
        return bytes([form]) + utf8(path) + utf8(root) + rest.encode()
    write("paths", "unix", seed(0, "/media/cd/Setup/install.exe", "/media/cd/", "/readme.txt"))
    write("paths", "windows", seed(3, "d:\\Disc\\Docs\\read me.txt", "D:\\Disc\\", "\\.."))
    write("paths", "relative", seed(1, "Docs\\..\\..\\x", "C:", ":\\"))
    write("paths", "dots", seed(2, "/cd/./a/../b//", "/cd", "/."))


def script():
    road = [
        "click cmdNew", "set txtTitle My Disc", "choose cmbTemplate Extended", "click cmdNext",
        "set txtStyleName Ocean", "color 8388608", "click cmdPickColor", "click cmdNext",
        "font Verdana;16;bold", "click cmdTFont", "color 0xFF", "click cmdTColor", "click cmdNext",
        "set txtFile Setup\\\\install.exe", "set txtFileTitle Install", "set txtFileDescription a\\r\\nb",
        "set txtFileCat Tools", "click cmdSave", "dump", "click Finish",
    ]
    write("script", "road", ("\n".join(road) + "\n").encode())
    write("script", "dialogs", "answer yes\nfile cancel\nfont cancel\ncolor cancel\nclick mnuAbout\n"
          "click frmAbout.cmdClose\nclick cmdFind\ndump\nclick mnuQuit\n".encode())
    write("script", "errors", "  # comment\r\nset txtTitle\nchoose cmbTemplate Nothing\nset txtTitle a\\q\n"
          "click cmdNext extra\n".encode())
    write("script", "load", "click cmdEdit\nchoose cmbMenus Holiday\nclick cmdLoad\nchoose cmbStyles Midnight\n"
          "click cmdMDelete\nanswer no\nclick cmdDelete\n".encode())


def escaping():
    write("escaping", "script", latin1("a\\b'c\r\nd</e/f<g") + utf16("\u042f\U0001f600") + utf16("\ud800x"))
    write("escaping", "html", latin1("<i>x</i> & \"q\" = `%#?") + utf8("\u20ac\u0160\u2122\u00a9"))
    write("escaping", "links", utf8("Docs/read me (1).txt") + latin1("\t\x7f\x81\x9d") + utf8("sky \u042f.jpg"))


def pages():
    def seed(template, inputs, style, entries):
        data = bytes([template])
        for text in inputs + style:
            data += utf8(text)
        for flags, texts in entries:
            data += bytes([flags])
            for text in texts:
                data += utf8(text) if isinstance(text, str) else bytes([text])
        return data
    style = ["Verdana;18pt;bold", "RGB(240,240,250)", "RGB(24,32,56)", "none", "Verdana;10pt;normal",
             "RGB(220,224,236)", "Verdana;10pt;normal", "RGB(120,200,255)", "RGB(255,200,80)",
             "Verdana;11pt;bold", "RGB(170,190,230)", "0", "0"]
    plain = ["My Disc", "none", "none", "none", "none"]
    images = ["Holiday \u00e9t\u00e9 \u20ac", "/art/bell.wav", "/art/logo.gif", "/art/on (1).gif", "/art/off.gif"]
    entries = [
        (0, ["Tools", "Install", "Setup/install.exe", "Runs the setup.\r\nTwice.", "/shots/setup.jpg"]),
        (2, [0, "Read me", "Docs/read me.txt", "It's <b>bold</b> & \"quoted\"", "none"]),
        (1, ["", "Untitled", "a'b\\c.txt", "</script><!--", ""]),
    ]
    write("pages", "standard", seed(0, plain, style, entries))
    write("pages", "standard-screenshots", seed(1, images, style, entries))
    write("pages", "extended", seed(2, plain, style, entries))
    write("pages", "extended-screenshots", seed(3, images, style[:3] + ["/art/sky (1).jpg"] + style[4:], entries))
    write("pages", "unknown-template", seed(4, [], [], []) + utf8("standard"))


values()
paths()
script()
escaping()
pages()
