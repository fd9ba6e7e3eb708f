// The main window's Imagery page: the active service's imagery component, the
// options window and the radar choice stored in the settings.
#include <QTimer>

#include "controls/GrphCtrls.h"
#include "imagery/AcuRxImages.h"
#include "imagery/ImgOptions.h"
#include "imagery/NWSRxImages.h"
#include "mainwindow/ImageryView.h"
#include "mainwindow/Unit01.h"
#include "service/Servers.h"
#include "service/DataMod.h"

void TWxForm::BuildImageryOptions() {
    if (!ImgOptions) {
        ImgOptions = new TImgOptionForm(this);
        ImgOptions->setObjectName("ImgOptionForm");
        ImgOptions->hide();
    }
    ImageryView->SetOptionsWindow(ImgOptions);
    // The Animate box runs the animation loop inside its handler; the
    // component must outlive that loop, so freeing waits for it to return.
    if (ImageryView->Animate) {
        ImageryView->Animate->OnCheck = [this](QWidget *) {
            ++animationDepth_;
            Guarded([this] { ImageryView->AnimateCheck(); });
            --animationDepth_;
            if (animationDepth_ == 0 && retiredImages_) {
                delete retiredImages_;
                retiredImages_ = nullptr;
            }
        };
    }
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { StopImageryAnimation(); });

    // Older settings files name the radar by its image-set identifier.
    if (!ImageSetLookup())
        ImageSetLookup() = [](const std::string &identifier, int &key) {
            if (!Data || identifier.empty()) return false;
            try {
                TDataSet &s = Data->ImageSet();
                const bool filtered = s.Filtered();
                s.SetFiltered(false);
                const bool found = s.Locate("ID", TValue(identifier), true) ||
                                   s.Locate("Name", TValue(identifier), true);
                if (found) key = int(s.AsInteger("Key"));
                s.SetFiltered(filtered);
                return found;
            } catch (const std::exception &) {
                return false;
            }
        };
}

void TWxForm::StopImageryAnimation() {
    if (ImageryView && ImageryView->Animate) ImageryView->Animate->SetChecked(false);
    if (rxImages_ && rxImages_->Animating()) rxImages_->SetAnimating(false);
}

void TWxForm::FreeImagery() {
    StopImageryAnimation();
    if (ImgOptions) {
        ImgOptions->hide();
        ImgOptions->SetImages(nullptr);
    }
    if (ImageryView) ImageryView->SetImages(nullptr, true);
    if (!rxImages_) return;
    if (animationDepth_ > 0) {
        // Still stepping further down the stack: detach now, free once it returns.
        if (!retiredImages_) retiredImages_ = rxImages_;
        else if (!rxImages_->Animating()) delete rxImages_;
        rxImages_ = nullptr;
        return;
    }
    delete rxImages_;
    rxImages_ = nullptr;
}

void TWxForm::LoadImagery(const std::string &serviceName) {
    FreeImagery();
    const std::string name = LowerCase(serviceName);
    bool nws = true;
    // The live NWS service has no radar of its own: it shows the NWS radar sites.
    if (name == "nws" || name == "nwsapi") {
        auto *img = new TNWSRxImages(Data);
        img->IsHostVisible = [this] { return isVisible(); };
        rxImages_ = img;
    } else if (name == "acu") {
        rxImages_ = new TAcuRxImages(Data);
        nws = false;
    }
    if (!ImageryView) return;
    ImageryView->SetContext(Data, &settings_, startup_.ActiveSection);
    if (!rxImages_) {
        ImageryView->SetImages(nullptr, true);
        return;
    }
    rxImages_->ProgressEnabled = true;
    rxImages_->OnWorkBegin = [this](TCustomRxImage &, int, std::int64_t n) { ProgressBegin(TWorkMode::Read, n); };
    rxImages_->OnWork = [this](TCustomRxImage &, int, std::int64_t n) { ProgressWork(TWorkMode::Read, n); };
    rxImages_->OnWorkEnd = [this](TCustomRxImage &, int) { ProgressEnd(TWorkMode::Read); };
    ImageryView->SetImages(rxImages_, nws);
    if (ImageryView->Animate) ImageryView->Animate->setEnabled(true);
}

void TWxForm::SelectRadarImage() {
    if (!ImageryView || !rxImages_ || !service_) return;
    ImageryView->SelectImageSetByKey(settings_.ReadInteger(startup_.ActiveSection, "Radar", 0));
}

std::string TWxForm::ImagerySourcePage() { return rxImages_ ? rxImages_->GetSourcePage() : std::string(); }
