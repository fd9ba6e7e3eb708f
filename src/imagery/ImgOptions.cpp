#include "imagery/ImgOptions.h"

#include <QFont>
#include <QSlider>

#include "controls/GrphCtrls.h"
#include "controls/Lists.h"
#include "imagery/RxImages.h"

std::uint8_t TransparencyOpacity(int position, int maximum) {
    if (position >= maximum) return 255;
    if (position <= 0) return 0;
    return std::uint8_t(position * 25);
}

TImgOptionForm::TImgOptionForm(QWidget *parent) : QWidget(parent, Qt::Tool) {
    setObjectName("ImgOptionForm");
    setWindowTitle("Image Options");
    setFixedSize(270, 242);

    clImgOptions = new TclCheckListBox(this);
    clImgOptions->setObjectName("clImgOptions");
    clImgOptions->setGeometry(16, 16, 233, 185);
    QFont f("Arial");
    f.setPixelSize(13);
    clImgOptions->setFont(f);
    for (const char *name : {"BackGround", "Topography", "Lakes / Rivers", "Radar", "Counties", "Highways", "Cities",
                             "Warnings", "Animate"})
        clImgOptions->AddItem(name);

    gLabel1 = new TgLabel(this);
    gLabel1->setObjectName("gLabel1");
    gLabel1->setGeometry(32, 208, 97, 22);
    gLabel1->SetCaption("Transparency");

    Transparency = new QSlider(Qt::Horizontal, this);
    Transparency->setObjectName("Transparency");
    Transparency->setGeometry(128, 212, 124, 20);
    Transparency->setRange(0, 10);
    Transparency->setValue(10);
    Transparency->setPageStep(1);
    Transparency->setToolTip("Tranparency Level");

    connect(clImgOptions, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { OptionsClickCheck(clImgOptions->row(item)); });
    connect(Transparency, &QSlider::valueChanged, this, [this] { TransparencyChange(); });
}

void TImgOptionForm::SetImages(TCustomRxImage *images) {
    filling_ = true;
    clImgOptions->clear();
    if (images) {
        for (const std::string &name : images->GetOptions()) {
            std::string value;
            clImgOptions->AddItem(QString::fromStdString(name), images->GetOptionValue(name, value));
        }
    }
    filling_ = false;
    images_ = images;
}

void TImgOptionForm::OptionsClickCheck(int row) {
    if (filling_ || !images_ || row < 0 || row >= clImgOptions->count()) return;
    images_->SetOption(clImgOptions->item(row)->text().toStdString(), clImgOptions->Checked(row));
}

void TImgOptionForm::TransparencyChange() {
    if (!images_) return;
    images_->SetOpacity(TransparencyOpacity(Transparency->value(), Transparency->maximum()));
}
