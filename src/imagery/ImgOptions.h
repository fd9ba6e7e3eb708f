#pragma once
// The "Image Options" tool window: switches the imagery component's named
// options and sets the radar picture's opacity.
#include <QWidget>
#include <cstdint>

class QSlider;
class QListWidgetItem;
class TclCheckListBox;
class TgLabel;
class TCustomRxImage;

// Transparency bar position (0-10) to opacity: steps of 25, the top position fully opaque.
std::uint8_t TransparencyOpacity(int position, int maximum = 10);

class TImgOptionForm : public QWidget {
    Q_OBJECT
public:
    explicit TImgOptionForm(QWidget *parent = nullptr);

    // Lists the component's options with their states; nullptr empties the list.
    void SetImages(TCustomRxImage *images);
    TCustomRxImage *Images() const { return images_; }

    TclCheckListBox *clImgOptions = nullptr;
    TgLabel *gLabel1 = nullptr;
    QSlider *Transparency = nullptr;

    void OptionsClickCheck(int row);
    void TransparencyChange();

private:
    TCustomRxImage *images_ = nullptr;
    bool filling_ = false;
};
