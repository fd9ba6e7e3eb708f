#include "nws/NWSRegister.h"

#include "app/IniSettings.h"
#include "service/Servers.h"
#include "service/ServiceSections.h"

const char *const kNwsServiceName = "NWS";
const char *const kNwsDisplayName = "The US National Weather Service";
const char *const kNwsXmlPath = "/data/current_obs";
const char *const kNwsSeekPath = "/index.xml";

std::string RegisterNwsService(TIniSettings &ini) {
    TServiceSectionDefaults d;
    d.Name = kNwsServiceName;
    d.DisplayName = kNwsDisplayName;
    d.HttpBase = ServerBase(TServer::NWSWeb);
    d.XML = kNwsXmlPath;
    d.HTML = ServerBase(TServer::NWSWeb);
    d.Seek = kNwsSeekPath;
    return RegisterServiceSection(ini, d);
}
