#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "app/IniSettings.h"
#include "controls/GrphCtrls.h"
#include "controls/Lists.h"
#include "dialogs/MsgHook.h"
#include "imagery/ImgOptions.h"
#include "imagery/ImageryServer.h"
#include "imagery/NWSRxImages.h"
#include "mainwindow/ImageryView.h"
#include "service/DataMod.h"
#include "service/Servers.h"

TEST(ImgOptions, TransparencyPositionsToOpacities) {
    const int expected[] = {0, 25, 50, 75, 100, 125, 150, 175, 200, 225, 255};
    for (int pos = 0; pos <= 10; ++pos) EXPECT_EQ(TransparencyOpacity(pos), expected[pos]) << pos;
}

TEST(ImageryZoom, LevelToFit) {
    EXPECT_EQ(ZoomLevelToFit({600, 550}, {420, 350}), 2);  // 0.5 fits, 0.75 does not
    EXPECT_EQ(ZoomLevelToFit({100, 100}, {420, 350}), 14);
    EXPECT_EQ(ZoomLevelToFit({10, 10}, {420, 350}), kZoomMax);
    EXPECT_EQ(ZoomLevelToFit({0, 0}, {420, 350}), 4);
}

namespace {
struct ImageryPage : ::testing::Test {
    TempProfile profile;
    TImageryServer server;
    TData data;
    TIniSettings ini;
    void SetUp() override {
        server.Start();
        SetServerOverride(TServer::NWSRadar, server.Base());
        SetServerOverride(TServer::NWSWeb, server.Base());
        ClearMsgHistory();
    }
    void TearDown() override { ClearServerOverrides(); }
};
}  // namespace

TEST_F(ImageryPage, OptionsWindowListsTheNineOptionsAndSetsThem) {
    TNWSRxImages rx(&data);
    TImgOptionForm form;
    form.SetImages(&rx);
    ASSERT_EQ(form.clImgOptions->count(), 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(form.clImgOptions->Checked(i), i < 7) << i;
    form.clImgOptions->SetChecked(7, true);  // Warnings, as a click does
    EXPECT_TRUE(rx.OptionChecked("Warnings"));
    form.Transparency->setValue(4);
    EXPECT_EQ(rx.Opacity(), 100);
    form.Transparency->setValue(10);
    EXPECT_EQ(rx.Opacity(), 255);
    form.SetImages(nullptr);
    EXPECT_EQ(form.clImgOptions->count(), 0);
}

TEST_F(ImageryPage, SelectByKeyAndFilterChange) {
    TNWSRxImages rx(&data);
    TImageryView view;
    TImgOptionForm form;
    view.SetOptionsWindow(&form);
    view.SetContext(&data, &ini, "NWS");
    view.SetImages(&rx, true);

    view.SelectImageSetByKey(156);  // Northeast, under the Regional filter
    EXPECT_EQ(rx.ImageName(), "Northeast");
    EXPECT_EQ(view.dbFilters->currentText(), "Regional");
    EXPECT_EQ(data.OptionSet().AsInteger("Location"), 156);
    EXPECT_EQ(data.OptionSet().AsInteger("Filter"), 1);
    EXPECT_EQ(ini.ReadInteger("NWS", "Radar", 0), 156);

    // A key that is not in the table keeps the list where it was, and is still written back.
    view.SelectImageSetByKey(9999);
    EXPECT_EQ(rx.ImageName(), "Northeast");
    EXPECT_EQ(data.ImageSet().AsInteger("Key"), 156);
    EXPECT_EQ(ini.ReadInteger("NWS", "Radar", 0), 9999);

    // Options on a regional image: refused with the message.
    view.ImgOptionsClick();
    ASSERT_FALSE(MsgHistory().empty());
    EXPECT_EQ(MsgHistory().back().Caption, "Imagery Options");
    EXPECT_FALSE(form.isVisible());

    // Switching to the Local filter stops the loop, unchecks Animate and picks a local site.
    view.Animate->SetChecked(true);
    ASSERT_TRUE(data.FilterSet().Locate("Key", TValue(int64_t(0))));
    view.FilterChange();
    EXPECT_FALSE(view.Animate->Checked());
    EXPECT_FALSE(rx.Animating());
    EXPECT_EQ(data.ImageSet().AsString("Region"), "Local");
    EXPECT_EQ(rx.Region(), "local");
    EXPECT_EQ(data.OptionSet().AsInteger("Location"), data.ImageSet().AsInteger("Key"));
    view.dbFilters->setCurrentIndex(view.dbFilters->findText("Local"));
    view.ImgOptionsClick();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.clImgOptions->count(), 9);
}

TEST_F(ImageryPage, LegendOnlyForTheWeatherService) {
    TNWSRxImages rx(&data);
    TImageryView view;
    view.SetContext(&data, &ini, "Acu");
    view.show();
    view.SetImages(&rx, false);
    EXPECT_FALSE(view.imgTornado->isVisible());
    EXPECT_FALSE(view.imgMarine->isVisible());
    view.SetImages(&rx, true);
    EXPECT_TRUE(view.imgFlood->isVisible());
}
