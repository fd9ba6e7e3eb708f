#pragma once
// Pictures that ship beside the program.
//
// The icon library is "Services.rcc" in the program folder: a Qt binary resource of PNG pictures
// named like "36.PNG", "30A.PNG" (condition pictures, 128 x 128) and "LOGO_NWS.PNG",
// "LOGO_ACU.PNG", "LOGO_TOLVU.PNG". It is loaded just before icons are needed and freed right
// after. The other pictures are plain files under "Images/" in the program folder.
//
// Every getter that ends in a picture has a drawn stand-in of the same size for a missing file,
// so a broken install still shows something sensible; Resource() is the one exact lookup.
#include <QPixmap>
#include <QSize>
#include <QString>

class TIconLibrary {
public:
    // Condition pictures are 128 x 128.
    static constexpr int PictureSize = 128;

    // fileName empty: DataPath() + "Services.rcc".
    explicit TIconLibrary(const QString &fileName = {});
    ~TIconLibrary();  // frees the library
    TIconLibrary(const TIconLibrary &) = delete;
    TIconLibrary &operator=(const TIconLibrary &) = delete;

    // True when the library is (already) loaded. A missing or damaged file gives false.
    bool Load();
    void Free();
    bool Loaded() const { return loaded_; }
    const QString &FileName() const { return fileName_; }

    // Names are case-insensitive ("30a.png" finds "30A.PNG"); a folder in front is ignored.
    bool Contains(const QString &name) const;
    // The picture of that name, or an empty pixmap when it is missing or the library is not loaded.
    QPixmap Resource(const QString &name) const;
    // As Resource(), but a missing picture is drawn. A valid size gives a smoothly scaled copy.
    QPixmap Picture(const QString &name, QSize size = {}) const;

    // Resource path of a library picture while loaded (":/Services/36.PNG").
    static QString ResourcePath(const QString &name);
    // "36.png", "PNG\\36.png", "36" -> "36.PNG".
    static QString NormalName(const QString &name);

private:
    QString fileName_;
    bool loaded_ = false;
};

namespace Art {
// Main window glyph list, 24 x 24: 16 connected, 19 not connected, 20 rising, 21 falling and
// 22 steady barometer (the rest: data/art/glyphs.map). Images/glyphs/<index>.png.
constexpr int GlyphSize = 24;
constexpr int GlyphCount = 24;
QPixmap Glyph(int index);
// Moon list, 64 x 64, index 0..7: new, waxing crescent, first quarter, waxing gibbous, full,
// waning gibbous, last quarter, waning crescent. Images/moon/<index>.png.
constexpr int MoonSize = 64;
QPixmap Moon(int index);
// Message dialog pictures, 56 x 56: 0 generic, 1 question, 2 information, 3 stop, 4 caution.
// Images/dialog/<index>.png.
constexpr int DialogPictureSize = 56;
QPixmap DialogPicture(int index);
// Language flags, 16 x 11, in the language chooser's order: 0 de, 1 us, 2 es, 3 fr.
QPixmap Flag(int index);
// Program pictures by resource name, from Images/<name> ("NWS\\xml_logo.png" reads a subfolder;
// a name that climbs out with ".." gives nothing): "BTNCLOSED.PNG", "BTNCLOSEE.PNG",
// "BTNCLOSEF.PNG", "BTNCLOSEP.PNG" (close button states, 16 x 16, drawn when missing);
// "DOWNLOAD00.PNG" update, "DOWNLOAD01.PNG" download, "DOWNLOAD02.PNG" connection failure (56 x 56),
// "MENUIMG00.PNG" tray menu title (96 x 32). Other names give an empty pixmap when missing.
QPixmap ProgramPicture(const QString &name);
// Splash background 500 x 320 (Images/splash.png) and the maker's logo 120 x 64 (Images/logo.png).
QPixmap Splash();
QPixmap MakerLogo();

// The drawn stand-ins, also used by the contact sheet.
QPixmap DrawnCondition(const QString &name, int size = TIconLibrary::PictureSize);
QPixmap DrawnGlyph(int index);
QPixmap DrawnMoon(int index, int size = MoonSize);
}  // namespace Art
