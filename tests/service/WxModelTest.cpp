#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "service/WxModel.h"

namespace {
struct ClockGuard {
    explicit ClockGuard(TDateTime t) { Clock::Set(t); }
    ~ClockGuard() { Clock::UseSystem(); }
};
}  // namespace

TEST(WxModel, NewItemsStartFromTheirDefaultsAndReinitialize) {
    ClockGuard clock(EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0));
    TForecasts f(nullptr);
    TForecastItem *p = f.Add();
    EXPECT_EQ(p->Summary, "No Info..");
    EXPECT_EQ(p->PrecipText, "0%");
    EXPECT_EQ(p->HighTemp, 0);
    EXPECT_EQ(p->LowTemp, 0);
    EXPECT_TRUE(p->Detail.empty());
    EXPECT_DOUBLE_EQ(p->Date, Clock::Now());
    EXPECT_EQ(p->Collection(), &f);
    EXPECT_EQ(p->Index(), 0);

    p->Name = "Tonight";
    p->HighTemp = 70;
    p->Summary = "Rain";
    p->Detail = "Rain likely.";
    p->IconName = "ra.png";
    p->Initialize();
    EXPECT_TRUE(p->Name.empty());
    EXPECT_EQ(p->HighTemp, 0);
    EXPECT_EQ(p->Summary, "No Info..");
    EXPECT_TRUE(p->Detail.empty());
    EXPECT_TRUE(p->IconName.empty());
}

TEST(WxModel, DisplayNamesAndChangeNotice) {
    TWxItem plain;
    TForecastItem forecast;
    TCustomAlertItem alert;
    EXPECT_EQ(plain.GetDisplayName(), "WeatherItem");
    EXPECT_EQ(forecast.GetDisplayName(), "Forecast");
    EXPECT_EQ(alert.GetDisplayName(), "Alert");

    TForecasts f(nullptr);
    int notices = 0;
    f.OnItemChanged = [&](TWxItem &) { ++notices; };
    TForecastItem *p = f.Add();
    p->SetDisplayName("Today");
    EXPECT_EQ(p->GetDisplayName(), "Today");
    EXPECT_EQ(notices, 1);
    p->SetDisplayName("Today");
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(f.ChangeCount(), 1);
}

TEST(WxModel, AssignCopiesWhatBothClassesShare) {
    TForecastItem a, b;
    a.Name = "Tuesday";
    a.Date = 45000.5;
    a.IconBase = "http://x/icons/";
    a.IconName = "sn.png";
    a.HighTemp = 31;
    a.LowTemp = 20;
    a.Summary = "Snow";
    a.Detail = "Snow, 2 inches.";
    a.PrecipText = "80%";
    b.Assign(a);
    EXPECT_EQ(b.Name, "Tuesday");
    EXPECT_DOUBLE_EQ(b.Date, 45000.5);
    EXPECT_EQ(b.IconName, "sn.png");
    EXPECT_EQ(b.HighTemp, 31);
    EXPECT_EQ(b.Detail, "Snow, 2 inches.");
    EXPECT_EQ(b.PrecipText, "80%");

    TCustomAlertItem alert;
    alert.Assign(a);  // only the base fields travel
    EXPECT_EQ(alert.Name, "Tuesday");
    TForecastItem c;
    c.Assign(alert);
    EXPECT_EQ(c.Name, "Tuesday");
    EXPECT_EQ(c.Summary, "No Info..");
}

TEST(WxModel, BaseAlertAnswersNothingAndSettersChangeNothing) {
    TCustomAlertItem a;
    a.Name = "Flood Watch";
    for (int i : {-1, 0, 3}) {
        EXPECT_EQ(a.GetCategory(i), "");
        EXPECT_EQ(a.GetEventCode(i), "");
        EXPECT_EQ(a.GetParameter(i), "");
        EXPECT_EQ(a.GetAreaDesc(i), "");
        EXPECT_EQ(a.GetGeocode(i), "");
    }
    a.SetEvent("x");
    a.SetHeadline("x");
    a.SetWeb("x");
    a.SetEffective(45000);
    a.SetExpires(45001);
    a.SetLanguage("x");
    a.SetDescription("x");
    for (const std::string &s : {a.GetLanguage(), a.GetEvent(), a.GetUrgency(), a.GetSeverity(), a.GetCertainty(),
                                 a.GetAudience(), a.GetOnset(), a.GetSenderName(), a.GetHeadline(),
                                 a.GetDescription(), a.GetInstruction(), a.GetWeb(), a.GetContact()})
        EXPECT_EQ(s, "");
    EXPECT_EQ(a.GetEffective(), 0);
    EXPECT_EQ(a.GetExpires(), 0);
    EXPECT_EQ(a.Name, "Flood Watch");

    TAlerts alerts(nullptr);
    EXPECT_EQ(alerts.LastUpdate, 0);
    EXPECT_EQ(alerts.GetSent(), 0);
    EXPECT_EQ(alerts.GetReferences(), "");
    EXPECT_EQ(alerts.GetSender(), "");
}

namespace {
int g_alive = 0;
struct CountedAlert : TCustomAlertItem {
    CountedAlert() { ++g_alive; }
    ~CountedAlert() override { --g_alive; }
    std::string GetEvent() const override { return "Counted"; }
};
}  // namespace

TEST(WxModel, AlertsMakeItemsOfTheirClassAndOwnThem) {
    {
        TAlerts alerts(reinterpret_cast<void *>(0x10), [] { return std::make_unique<CountedAlert>(); });
        EXPECT_EQ(alerts.GetOwner(), reinterpret_cast<void *>(0x10));
        alerts.Add();
        alerts.Add();
        EXPECT_EQ(alerts.Items(1)->GetEvent(), "Counted");
        EXPECT_EQ(g_alive, 2);
        alerts.Delete(0);
        EXPECT_EQ(g_alive, 1);
        EXPECT_EQ(alerts.Items(0)->Index(), 0);
        EXPECT_EQ(alerts.Items(5), nullptr);
        alerts.Add();
        alerts.Clear();
        EXPECT_EQ(g_alive, 0);
        alerts.Add();
    }
    EXPECT_EQ(g_alive, 0);
}
