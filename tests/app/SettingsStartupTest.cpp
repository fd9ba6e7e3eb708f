#include <gtest/gtest.h>

#include "app/IniSettings.h"
#include "app/SettingsStartup.h"
#include "service/Servers.h"
#include "support/TestSupport.h"

namespace {
using Keys = std::vector<std::string>;
}

TEST(SettingsStartup, FirstStartWritesExactlyTheFirstStartContent) {
    TempProfile p;
    const std::string file = p.Root() + "Tolvu.ini";
    TIniSettings ini(file);
    TSettingsStartup r = RunSettingsStartup(ini, 1033);

    EXPECT_TRUE(r.FirstStart);
    // US English starts on the live NWS service, registered third.
    EXPECT_EQ(r.ActiveSection, "Service2");
    EXPECT_EQ(r.ServiceNumber, 2);
    EXPECT_EQ(r.ServiceName, "NWSAPI");
    EXPECT_TRUE(r.LocationMissing);

    EXPECT_EQ(ini.ReadSections(),
              (Keys{"Services", "Service0", "Service1", "Service2", "Service", "Wx", "Options"}));
    EXPECT_EQ(ini.ReadSection("Services"), (Keys{"Service0", "Service1", "Service2"}));
    const Keys serviceKeys{"Name", "httpBase", "Port", "XML", "HTML", "Seek", "Location"};
    EXPECT_EQ(ini.ReadSection("Service0"), serviceKeys);
    EXPECT_EQ(ini.ReadSection("Service1"), serviceKeys);
    EXPECT_EQ(ini.ReadSection("Service2"), serviceKeys);
    EXPECT_EQ(ini.ReadSection("Service"), (Keys{"Default"}));
    EXPECT_EQ(ini.ReadSection("Wx"), (Keys{"CurrentConditions", "NumDays", "AlAuto", "AlRestore", "AlSwitch",
                                            "AlSound", "AlSoundAny", "AlAnimate"}));
    EXPECT_EQ(ini.ReadSection("Options"), (Keys{"URL"}));

    EXPECT_EQ(ini.ReadString("Services", "Service0", ""), "The US National Weather Service");
    EXPECT_EQ(ini.ReadString("Service0", "Name", ""), "NWS");
    EXPECT_EQ(ini.ReadString("Service0", "XML", ""), "/data/current_obs");
    EXPECT_EQ(ini.ReadString("Service0", "Seek", ""), "/index.xml");
    EXPECT_EQ(ini.ReadString("Service0", "httpBase", ""), ServerBase(TServer::NWSWeb));
    EXPECT_EQ(ini.ReadString("Service1", "Name", ""), "Acu");
    EXPECT_EQ(ini.ReadString("Service1", "Seek", ""), "city-find.asp?Location=");
    EXPECT_EQ(ini.ReadString("Service1", "XML", ""), ServerBase(TServer::AccuData) + "/widget/kovix/");
    EXPECT_EQ(ini.ReadString("Service1", "Port", ""), "80");
    EXPECT_EQ(ini.ReadString("Services", "Service2", ""), "The US National Weather Service (live)");
    EXPECT_EQ(ini.ReadString("Service2", "Name", ""), "NWSAPI");
    EXPECT_EQ(ini.ReadString("Service2", "httpBase", ""), ServerBase(TServer::NWSApi));
    EXPECT_EQ(ini.ReadString("Service", "Default", "x"), "Service2");
    EXPECT_EQ(ini.ReadString("Wx", "AlSound", ""), "1");
    EXPECT_EQ(ini.ReadString("Wx", "AlSoundAny", ""), "0");
    EXPECT_EQ(ini.ReadString("Options", "URL", ""), ServerBase(TServer::Update) + "/");

    // The first-time initialisation reached the disk (Default is chosen after it).
    TIniSettings disk(file);
    EXPECT_EQ(disk.ReadSections(), ini.ReadSections());
    EXPECT_EQ(disk.ReadString("Service", "Default", "x"), "");
    EXPECT_EQ(ini.FlushCount(), 2);

    // A second start adds nothing and keeps the choice.
    const std::string before = ini.Text();
    TSettingsStartup again = RunSettingsStartup(ini, 1031);
    EXPECT_FALSE(again.FirstStart);
    EXPECT_EQ(again.ActiveSection, "Service2");
    EXPECT_EQ(ini.Text(), before);
}

TEST(SettingsStartup, EmptyDefaultFollowsTheLocale) {
    struct Case { int locale; const char *expected; };
    for (Case c : {Case{1033, "Service2"}, Case{1031, "Service1"}, Case{2057, "Service1"}}) {
        TIniSettings ini;
        TSettingsStartup r = RunSettingsStartup(ini, c.locale);
        EXPECT_EQ(r.ActiveSection, c.expected) << c.locale;
        EXPECT_EQ(ini.ReadString("Service", "Default", ""), c.expected) << c.locale;
    }
    // A [Service] section that lost its Default key still gets an active section.
    TIniSettings ini;
    ini.SetStrings({"[Service]", "[Wx]", "NumDays=3"});
    EXPECT_EQ(RunSettingsStartup(ini, 1031).ActiveSection, "Service1");
    EXPECT_EQ(ini.ReadString("Wx", "NumDays", ""), "3");

    // A file that already has the two older services gets the live one next to them,
    // and US English picks it wherever it landed.
    TIniSettings old;
    old.SetStrings({"[Services]", "Service0=Acu display", "Service1=NWS display", "[Service0]", "Name=Acu",
                    "[Service1]", "Name=NWS", "[Service2]", "Name=Custom", "[Service]", "Default="});
    TSettingsStartup r = RunSettingsStartup(old, 1033);
    EXPECT_EQ(r.ActiveSection, "Service3");
    EXPECT_EQ(r.ServiceName, "NWSAPI");
}

TEST(SettingsStartup, FileNumberedTheOtherWayRoundKeepsItsNumbering) {
    TIniSettings ini;
    ini.SetStrings({"[Services]", "Service0=Acu display", "Service1=NWS display",
                    "[Service0]", "Name=Acu", "httpBase=a", "Port=80", "XML=b", "HTML=c", "Seek=d", "Location=X1",
                    "[Service1]", "Name=NWS", "httpBase=e", "Port=80", "XML=f", "HTML=g", "Seek=h", "Location=KSEA",
                    "[Service2]", "Name=NWSAPI", "httpBase=i", "Port=80", "XML=j", "HTML=k", "Seek=l", "Location=",
                    "[Service]", "Default=Service1", "[Wx]", "NumDays=7"});
    const std::string before = ini.Text();
    TSettingsStartup r = RunSettingsStartup(ini, 1033);
    EXPECT_EQ(ini.Text(), before);
    EXPECT_EQ(r.ActiveSection, "Service1");
    EXPECT_EQ(r.ServiceNumber, 1);
    EXPECT_EQ(r.ServiceName, "NWS");
    EXPECT_FALSE(r.LocationMissing);
    EXPECT_FALSE(EnsureWxDefaults(ini));
}

TEST(SettingsStartup, OnlyServiceNumberedSectionsCount) {
    // "Services", "Service" and a section whose 8th character is 's' are never service sections,
    // and a Name that differs in case is another service.
    TIniSettings ini;
    ini.SetStrings({"[Services]", "[Service]", "Default=", "[ServiceStuff]", "Name=NWS", "[Service7]", "Name=nws"});
    RunSettingsStartup(ini, 1033);
    EXPECT_EQ(ini.ReadString("Service1", "Name", ""), "NWS");
    EXPECT_EQ(ini.ReadString("Service2", "Name", ""), "Acu");
    EXPECT_EQ(ini.ReadString("Service3", "Name", ""), "NWSAPI");
    EXPECT_FALSE(ini.SectionExists("Service0"));
}

TEST(SettingsStartup, RadarIdentifierIsConvertedOnce) {
    struct Case { const char *radar; int number; bool known; const char *expected; bool converted; };
    const Case cases[] = {
        {"NatLoop", 0, true, "42", true},    // the set's own key for service 0
        {"NatLoop", 1, true, "168", true},   // a fixed key for every other service
        {"Unknown", 0, false, "Unknown", false},
        {"17", 0, true, "17", false},        // already an integer
        {"0x10", 0, true, "0x10", false},
    };
    TempProfile p;
    for (const Case &c : cases) {
        TIniSettings ini;
        ini.SetFileName(p.Root() + "Tolvu.ini");
        ini.WriteString("Service0", "Radar", c.radar);
        std::string asked;
        TImageSetLookup lookup = [&](const std::string &id, int &key) {
            asked = id;
            if (!c.known) return false;
            key = 42;
            return true;
        };
        EXPECT_EQ(ConvertRadarSetting(ini, "Service0", c.number, lookup), c.converted) << c.radar;
        EXPECT_EQ(ini.ReadString("Service0", "Radar", ""), c.expected) << c.radar;
        EXPECT_EQ(ini.FlushCount(), c.converted ? 1 : 0) << c.radar;
    }
}

TEST(SettingsStartup, DisplaySettingsReadTheirDefaultsOnBadValues) {
    TIniSettings ini;
    ini.SetStrings({"[Wx]", "AlAuto=True", "AlRestore=True", "AlSwitch=0", "fbTransparency=0x1FF",
                    "[Options]", "TempColor=0x800000", "Color1=0x800000", "PopUp=0x800000", "Tray=yes"});
    TDisplaySettings s = ReadDisplaySettings(ini);
    EXPECT_TRUE(s.AlAuto);      // non-integer: default true
    EXPECT_FALSE(s.AlRestore);  // non-integer: default false
    EXPECT_FALSE(s.AlSwitch);
    EXPECT_TRUE(s.Tray);
    EXPECT_EQ(s.TempColor, 0x800000u);
    EXPECT_EQ(s.Color1, 0x800000u);
    EXPECT_EQ(s.PopUp, 0x800000u);
    EXPECT_EQ(s.fbTransparency, 0xFF);
    EXPECT_TRUE(s.TwelveHourPeriods());  // Periods missing
    EXPECT_EQ(s.ccInterval, 15);
    EXPECT_EQ(s.Body, 0xFF000014u);
}
