#pragma once
// The Imagery page: area filter and image-set lists bound to the data
// module's tables, the zoomable radar picture, zoom bar, Animate switch,
// Options and Refresh buttons and the NWS alert-colour legend. The page
// drives the imagery component the main window owns.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class TgCheckLabel;
class TCustomRxImage;
class TImgOptionForm;
class TIniSettings;
class TData;

// Zoom steps of the picture: level n shows the picture at n quarters of its size.
constexpr int kZoomMin = 1, kZoomMax = 16;
double ZoomScale(int level);
// The largest level at which a w x h rectangle fits into the view.
int ZoomLevelToFit(QSize rect, QSize view);

// A picture that zooms with the wheel, pans with the left button and zooms
// to a rectangle dragged with the right button.
class TZoomImage : public QWidget {
    Q_OBJECT
public:
    explicit TZoomImage(QWidget *parent = nullptr);
    QImage &Picture() { return picture_; }
    int Zoom() const { return zoom_; }
    void SetZoom(int level);
    // Zooms so the rectangle (picture coordinates) fills the view, and shows it.
    void ZoomToRect(const QRect &r);
    QPoint Offset() const { return offset_; }
    std::function<void(int level)> OnZoomChange;

protected:
    void paintEvent(QPaintEvent *) override;
    void wheelEvent(QWheelEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void ClampOffset();
    QImage picture_;
    int zoom_ = 3;
    QPoint offset_;  // picture point at the view's top-left, in view pixels
    QPoint pressPos_, pressOffset_;
    QRect band_;
    Qt::MouseButton dragging_ = Qt::NoButton;
};

class TImageryView : public QWidget {
    Q_OBJECT
public:
    explicit TImageryView(QWidget *parent = nullptr);

    // The tables, the settings and the active service's section ("NWS", "Acu").
    void SetContext(TData *data, TIniSettings *settings, const std::string &section);
    // The component of the active service (owned by the main window) or nullptr.
    void SetImages(TCustomRxImage *images, bool nationalWeatherService);
    void SetOptionsWindow(TImgOptionForm *form) { options_ = form; }

    void SelectImageSetByKey(int key);
    void RefreshImageryView();
    void FilterChange();
    void ImageChange();
    void AnimateCheck();
    void ImgOptionsClick();
    // Fills the two lists from the tables' current rows.
    void FillFilters();
    void FillImages();

    // The host shows or hides the Imagery tab, and the time line of the header.
    std::function<void(bool visible)> OnTabVisible;
    std::function<void(const QString &text)> OnCurrentTime;
    QString TabCaption = "Imagery";

    QComboBox *dbFilters = nullptr;
    QComboBox *dblImages = nullptr;
    TZoomImage *FWxImage = nullptr;
    QSlider *ZoomBar = nullptr;
    QLabel *gLabel11 = nullptr;
    TgCheckLabel *Animate = nullptr;
    QPushButton *iBtnImgOptions = nullptr, *iBtnImgRefresh = nullptr;
    QLabel *imgTornado = nullptr, *imgHazardous = nullptr, *imgFlood = nullptr, *imgMarine = nullptr;

private:
    bool Online();
    int RadarKey() const;
    void StoreLocation(int key);

    TData *data_ = nullptr;
    TIniSettings *settings_ = nullptr;
    std::string section_;
    TCustomRxImage *images_ = nullptr;
    TImgOptionForm *options_ = nullptr;
    bool filling_ = false;
};
