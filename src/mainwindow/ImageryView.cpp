#include "mainwindow/ImageryView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/IniSettings.h"
#include "controls/GrphCtrls.h"
#include "dialogs/MsgHook.h"
#include "imagery/ImgOptions.h"
#include "imagery/RxImages.h"
#include "platform/Clock.h"
#include "platform/FormatSettings.h"
#include "service/DataMod.h"
#include "service/Servers.h"

double ZoomScale(int level) { return std::clamp(level, kZoomMin, kZoomMax) / 4.0; }

int ZoomLevelToFit(QSize rect, QSize view) {
    if (rect.width() <= 0 || rect.height() <= 0) return 4;
    const double s = std::min(double(view.width()) / rect.width(), double(view.height()) / rect.height());
    return std::clamp(int(std::floor(s * 4.0 + 1e-9)), kZoomMin, kZoomMax);
}

// ---------------------------------------------------------------- picture

TZoomImage::TZoomImage(QWidget *parent) : QWidget(parent) {
    setObjectName("FWxImage");
    setMinimumSize(420, 350);
    setToolTip("Mouse Wheel:       Zoom In/Zoom Out\nDrag Left Mouse:   Pan Image\nDrag Right Mouse: Define Zomm Area");
    setMouseTracking(false);
}

void TZoomImage::SetZoom(int level) {
    level = std::clamp(level, kZoomMin, kZoomMax);
    if (level == zoom_) return;
    // Keep the view's centre on the same picture point.
    const QPointF centre = (QPointF(offset_) + QPointF(width() / 2.0, height() / 2.0)) / ZoomScale(zoom_);
    zoom_ = level;
    offset_ = (centre * ZoomScale(zoom_) - QPointF(width() / 2.0, height() / 2.0)).toPoint();
    ClampOffset();
    update();
    if (OnZoomChange) OnZoomChange(zoom_);
}

void TZoomImage::ZoomToRect(const QRect &r) {
    const int level = ZoomLevelToFit(r.size(), size());
    const bool changed = level != zoom_;
    zoom_ = level;
    offset_ = (QPointF(r.topLeft()) * ZoomScale(zoom_)).toPoint();
    ClampOffset();
    update();
    if (changed && OnZoomChange) OnZoomChange(zoom_);
}

void TZoomImage::ClampOffset() {
    const double s = ZoomScale(zoom_);
    const int maxX = std::max(0, int(picture_.width() * s) - width());
    const int maxY = std::max(0, int(picture_.height() * s) - height());
    offset_.setX(std::clamp(offset_.x(), 0, maxX));
    offset_.setY(std::clamp(offset_.y(), 0, maxY));
}

void TZoomImage::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0x20, 0x20, 0x30));
    if (!picture_.isNull()) {
        const double s = ZoomScale(zoom_);
        p.setRenderHint(QPainter::SmoothPixmapTransform, s < 1.0);
        p.drawImage(QRectF(-offset_.x(), -offset_.y(), picture_.width() * s, picture_.height() * s), picture_);
    }
    if (!band_.isNull()) {
        p.setPen(QPen(Qt::yellow, 1, Qt::DashLine));
        p.drawRect(band_.normalized());
    }
}

void TZoomImage::wheelEvent(QWheelEvent *e) {
    SetZoom(zoom_ + (e->angleDelta().y() > 0 ? 1 : -1));
    e->accept();
}

void TZoomImage::mousePressEvent(QMouseEvent *e) {
    dragging_ = e->button();
    pressPos_ = e->pos();
    pressOffset_ = offset_;
    band_ = QRect();
}

void TZoomImage::mouseMoveEvent(QMouseEvent *e) {
    if (dragging_ == Qt::LeftButton) {
        offset_ = pressOffset_ - (e->pos() - pressPos_);
        ClampOffset();
        update();
    } else if (dragging_ == Qt::RightButton) {
        band_ = QRect(pressPos_, e->pos());
        update();
    }
}

void TZoomImage::mouseReleaseEvent(QMouseEvent *e) {
    if (dragging_ == Qt::RightButton) {
        const QRect view = QRect(pressPos_, e->pos()).normalized();
        band_ = QRect();
        if (view.width() > 4 && view.height() > 4) {
            const double s = ZoomScale(zoom_);
            const QRect pic(int((view.x() + offset_.x()) / s), int((view.y() + offset_.y()) / s),
                            int(view.width() / s), int(view.height() / s));
            ZoomToRect(pic);
        }
        update();
    }
    dragging_ = Qt::NoButton;
}

// ---------------------------------------------------------------- page

namespace {
QLabel *LegendLabel(QWidget *parent, const char *name, const char *text, const char *colour) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QString("background:%1; color:white; padding:2px 6px;").arg(colour));
    return l;
}
}  // namespace

TImageryView::TImageryView(QWidget *parent) : QWidget(parent) {
    setObjectName("ImageryView");
    dbFilters = new QComboBox(this);
    dbFilters->setObjectName("dbFilters");
    dblImages = new QComboBox(this);
    dblImages->setObjectName("dblImages");
    dblImages->setMinimumWidth(220);
    FWxImage = new TZoomImage(this);
    ZoomBar = new QSlider(Qt::Horizontal, this);
    ZoomBar->setObjectName("ZoomBar");
    ZoomBar->setRange(kZoomMin, kZoomMax);
    ZoomBar->setValue(3);
    ZoomBar->setToolTip("Mouse Wheel: +/- Zoom\nLeft Mouse:     +/- Zoom");
    gLabel11 = new QLabel("ZOOM Level", this);
    gLabel11->setObjectName("gLabel11");
    Animate = new TgCheckLabel(this);
    Animate->setObjectName("Animate");
    Animate->SetCaption("   Animate");
    Animate->setMinimumSize(90, 20);
    iBtnImgOptions = new QPushButton("Options", this);
    iBtnImgOptions->setObjectName("iBtnImgOptions");
    iBtnImgRefresh = new QPushButton("Refresh", this);
    iBtnImgRefresh->setObjectName("iBtnImgRefresh");
    imgTornado = LegendLabel(this, "imgTornado", "Tornado", "#d00000");
    imgHazardous = LegendLabel(this, "imgHazardous", "Hazardous", "#ff8c00");
    imgFlood = LegendLabel(this, "imgFlood", "Flood", "#00a000");
    imgMarine = LegendLabel(this, "imgMarine", "Marine", "#4060ff");

    auto *top = new QHBoxLayout;
    top->addWidget(dbFilters);
    top->addWidget(dblImages, 1);
    auto *legend = new QHBoxLayout;
    for (QLabel *l : {imgTornado, imgHazardous, imgFlood, imgMarine}) legend->addWidget(l);
    legend->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(gLabel11);
    bottom->addWidget(ZoomBar, 1);
    bottom->addWidget(Animate);
    bottom->addWidget(iBtnImgOptions);
    bottom->addWidget(iBtnImgRefresh);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(4, 4, 4, 4);
    main->addLayout(top);
    main->addWidget(FWxImage, 1);
    main->addLayout(legend);
    main->addLayout(bottom);

    FWxImage->OnZoomChange = [this](int level) {
        if (ZoomBar->value() != level) ZoomBar->setValue(level);
    };
    connect(ZoomBar, &QSlider::valueChanged, this, [this](int v) {
        if (FWxImage->Zoom() != v) FWxImage->SetZoom(v);
    });
    connect(dbFilters, qOverload<int>(&QComboBox::activated), this, [this] {
        if (!data_) return;
        data_->FilterSet().Locate("Key", TValue(int64_t(dbFilters->currentData().toInt())));
        FilterChange();
    });
    connect(dblImages, qOverload<int>(&QComboBox::activated), this, [this] { ImageChange(); });
    Animate->OnCheck = [this](QWidget *) { AnimateCheck(); };
    connect(iBtnImgOptions, &QPushButton::clicked, this, [this] { ImgOptionsClick(); });
    connect(iBtnImgRefresh, &QPushButton::clicked, this, [this] { RefreshImageryView(); });
}

void TImageryView::SetContext(TData *data, TIniSettings *settings, const std::string &section) {
    data_ = data;
    settings_ = settings;
    section_ = section;
    FillFilters();
    FillImages();
}

void TImageryView::SetImages(TCustomRxImage *images, bool nationalWeatherService) {
    images_ = images;
    for (QLabel *l : {imgTornado, imgHazardous, imgFlood, imgMarine}) l->setVisible(nationalWeatherService);
    if (images_) {
        images_->OnDrawn = [this](TCustomRxImage &) { FWxImage->update(); };
        images_->SetTargetPicture(&FWxImage->Picture());
    }
    FWxImage->update();
}

bool TImageryView::Online() { return images_ && images_->IsOnline(); }

int TImageryView::RadarKey() const { return settings_ ? settings_->ReadInteger(section_, "Radar", 0) : 0; }

void TImageryView::FillFilters() {
    filling_ = true;
    dbFilters->clear();
    if (data_) {
        TDataSet &f = data_->FilterSet();
        const int keep = f.HasRecord() ? int(f.AsInteger("Key")) : -1;
        for (f.First(); !f.Eof(); f.Next())
            dbFilters->addItem(QString::fromStdString(f.AsString("Name")), int(f.AsInteger("Key")));
        if (keep >= 0) f.Locate("Key", TValue(int64_t(keep)));
        dbFilters->setCurrentIndex(std::max(0, dbFilters->findData(keep)));
    }
    filling_ = false;
}

void TImageryView::FillImages() {
    filling_ = true;
    dblImages->clear();
    if (data_) {
        TDataSet &s = data_->ImageSet();
        const int keep = s.HasRecord() ? int(s.AsInteger("Key")) : -1;
        for (s.First(); !s.Eof(); s.Next()) {
            QString text = QString::fromStdString(s.AsString("Name"));
            const std::string state = s.AsString("State");
            if (!state.empty()) text += "  " + QString::fromStdString(state);
            dblImages->addItem(text, int(s.AsInteger("Key")));
        }
        if (keep >= 0) s.Locate("Key", TValue(int64_t(keep)));
        dblImages->setCurrentIndex(std::max(0, dblImages->findData(keep)));
    }
    filling_ = false;
}

void TImageryView::StoreLocation(int key) {
    TDataSet &o = data_->OptionSet();
    if (!o.HasRecord()) return;
    o.Edit();
    o.SetValue("Location", TValue(int64_t(key)));
    o.Post();
}

void TImageryView::SelectImageSetByKey(int key) {
    if (!settings_ || !images_ || !Online()) return;
    if (data_) {
        TDataSet &s = data_->ImageSet();
        const std::string oldFilter = s.Filter();
        const bool wasFiltered = s.Filtered();
        const int64_t oldKey = s.HasRecord() ? s.AsInteger("Key") : -1;
        s.SetFiltered(false);
        if (s.Locate("Key", TValue(int64_t(key)))) {
            const std::string name = s.AsString("Name"), region = s.AsString("Region"), id = s.AsString("ID");
            TDataSet &f = data_->FilterSet();
            if (f.Locate("Region", TValue(region), true)) {
                s.SetFilter(f.AsString("Filter"));
                s.SetFiltered(true);
                s.Locate("Key", TValue(int64_t(key)));
                TCustomRxImage::ProcessMessages();
                TDataSet &o = data_->OptionSet();
                if (o.HasRecord() && o.AsInteger("Location") != key) {
                    o.Edit();
                    o.SetValue("Filter", TValue(f.AsInteger("Key")));
                    o.SetValue("Location", TValue(int64_t(key)));
                    o.SetValue("ID", TValue(id));
                    o.Post();
                }
            }
            FillFilters();
            FillImages();
            images_->SetImageName(name);
        } else {
            // An unknown key keeps the list as it was.
            s.SetFilter(oldFilter);
            s.SetFiltered(wasFiltered || !oldFilter.empty());
            if (oldFilter.empty()) s.First();
            else s.Locate("Key", TValue(oldKey));
        }
    }
    settings_->WriteInteger(section_, "Radar", key);
}

void TImageryView::RefreshImageryView() {
    if (images_ && !images_->ImageName().empty()) {
        images_->ForceReload = true;
        if (OnTabVisible) OnTabVisible(true);
        images_->Reload();
        if (OnCurrentTime)
            OnCurrentTime(TabCaption + ": " +
                          QString::fromStdString(FormatDateTime("mmmmm dd, h:nn AM/PM ", Clock::Now())));
        if (isVisible()) FWxImage->ZoomToRect(QRect(QPoint(0, 0), FWxImage->Picture().size()));
        FWxImage->update();
    } else if (OnTabVisible) {
        OnTabVisible(false);
    }
}

void TImageryView::ImageChange() {
    if (filling_ || !data_) return;
    TDataSet &s = data_->ImageSet();
    if (!s.Locate("Key", TValue(int64_t(dblImages->currentData().toInt())))) return;
    const std::string name = s.AsString("Name");
    if (name != (images_ ? images_->ImageName() : std::string()) && Online()) {
        images_->SetImageName(name);
        if (settings_) settings_->WriteInteger(section_, "Radar", int(s.AsInteger("Key")));
        StoreLocation(int(s.AsInteger("Key")));
    }
    FWxImage->update();
}

void TImageryView::FilterChange() {
    if (!data_ || !images_) return;
    images_->SetAnimating(false);
    Animate->SetChecked(false);
    TDataSet &s = data_->ImageSet();
    TDataSet &f = data_->FilterSet();
    if (f.HasRecord()) {
        s.SetFilter(f.AsString("Filter"));
        s.SetFiltered(true);
    }
    if (s.HasRecord() && s.AsString("Name") != images_->ImageName()) {
        bool found = false;
        const std::string want = LowerCase(images_->ImageName());
        if (!want.empty())
            for (s.First(); !s.Eof(); s.Next())
                if (LowerCase(s.AsString("Name")).find(want) != std::string::npos) {
                    found = true;
                    break;
                }
        if (!found && !s.Locate("Key", TValue(int64_t(RadarKey())))) s.First();
    }
    if (s.HasRecord()) {
        images_->ForceReload = true;
        images_->SetImageName(s.AsString("Name"));
        StoreLocation(int(s.AsInteger("Key")));
    }
    FillImages();
    const int z = ZoomBar->value();
    ZoomBar->setValue(z - 1);
    ZoomBar->setValue(z);
    FWxImage->update();
}

void TImageryView::AnimateCheck() {
    if (images_ && !images_->GetOptions().empty()) images_->SetOption("Animate", Animate->Checked());
    FWxImage->update();
}

void TImageryView::ImgOptionsClick() {
    if (images_ && options_ && images_->GetOptions().size() > 1 && dbFilters->currentText() == "Local") {
        options_->SetImages(images_);
        options_->show();
        options_->raise();
        return;
    }
    TMsgRequest req;
    req.Message = "Sorry, there are no extended options for the current Imagery.";
    req.Caption = "Imagery Options";
    req.Icon = miInformation;
    req.Button2 = "btnHidden";
    RequestMessage(req);
}
