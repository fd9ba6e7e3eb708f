#include <gtest/gtest.h>

#include "service/Servers.h"

TEST(Servers, RequestAddresses) {
    const struct { std::string got, want; } cases[] = {
        {NWSCurrentObsUrl("http://w", "/data/current_obs", "KSEA"), "http://w/data/current_obs/KSEA.xml"},
        {NWSNdfdUrl("http://w", "38.98", "-77.03", true, "2024-03-05T15:00:00-05:00", 0, 5),
         "http://w/forecasts/xml/SOAP_server/ndfdSOAPclientByDay.php?lat=38.98&lon=-77.03&format=12+hourly"
         "&startDate=2024-03-05T15:00:00-05:00&unit=0&numDays=5&Submit=Submit"},
        {NWSNdfdUrl("http://w", "1", "2", false, "d", 1, 7),
         "http://w/forecasts/xml/SOAP_server/ndfdSOAPclientByDay.php?lat=1&lon=2&format=24+hourly&startDate=d"
         "&unit=1&numDays=7&Submit=Submit"},
        {NWSMapClickUrl("http://f", "38.98", "-77.03", 1), "http://f/MapClick.php?lat=38.98&lon=-77.03&unit=1&FcstType=dwml"},
        {NWSCapIndexUrl("http://a", "Md"), "http://a/cap/md.php?x=MD"},
        {NWSRadarThumbUrl("http://r", "FTG"), "http://r/Thumbs/FTG_Thumb.gif"},
        {NWSNcrImageUrl("http://r", "LWX"), "http://r/RadarImg/NCR/LWX_NCR_0.gif"},
        {NWSRadarPageUrl("http://r", "lwx"), "http://r/ridge/radar.php?rid=lwx"},
        {NWSWarningMapUrl("http://w", "LWX"), "http://w/wwamap/png/lwx.png"},
        {USNOSunMoonUrl("http://u"), "http://u/cgi-bin/aa_pap.pl"},
        {AcuDataBaseUrl("http://d/"), "http://d/widget/kovix/"},
        {AcuWeatherUrl("http://d/widget/kovix/", AcuWeatherQuery("State College, PA", "", "", 0, "ENU")),
         "http://d/widget/kovix/weather-data.asp?location=State+College%2c+PA&metric=0&lang=en"},
        {AcuWeatherQuery("", "40.79", "-77.86", 1, "DEU"), "slat=40.79&slon=-77.86&metric=1&lang=de"},
        {AcuWeatherQuery("", "40.79", "", 1, "NLD"), "&lang=NLD"},
        {AcuWeatherQuery("", "", "-77.86", 1, "ENU"), ""},
        {AcuLocationDetailsUrl("http://d/widget/kovix/", "cityId:335315", 1),
         "http://d/widget/kovix/weather-data.asp?location=cityId%3a335315&metric=1"},
        {AcuSearchUrl("http://d/widget/kovix/", "city-find.asp?Location=", "O'Hare (IL)"),
         "http://d/widget/kovix/city-find.asp?Location=O'Hare+(IL)"},
        {AcuIconUrl(AcuIconBaseUrl("http://i"), 7), "http://i/adc2004/common/images/wxicons/PNG/07.png"},
        {UpdateFileUrl("http://u/tolvu/", kUpdateVersionFile), "http://u/tolvu/Version.txt"},
        {UpdateFileUrl("http://u/tolvu", kUpdatePromoFile), "http://u/tolvu/Promo.png"},
    };
    for (const auto &c : cases) EXPECT_EQ(c.got, c.want);
    EXPECT_EQ(AcuFormEncode("a*@._-$!'()~/é"), "a*@._-$!'()%7e%2f%c3%a9");
}

TEST(Servers, RegionalServersShareOneOverride) {
    EXPECT_EQ(NWSRegionPageUrl("crh", "dvn"), "https://www.crh.noaa.gov/dvn");
    SetServerOverride(TServer::NWSRegion, "http://127.0.0.1:9/");
    EXPECT_EQ(NWSRegionWarningMapsUrl("srh"), "http://127.0.0.1:9/srh/wwamaps/");
    ClearServerOverrides();
}
