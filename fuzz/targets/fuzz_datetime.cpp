// Date-time texts: the local date-time text, XML Schema and CAP dates.
#include "FuzzSupport.h"
#include "nws/XmlDateTime.h"
#include "nws/cap1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    if (size > 256) return 0;
    const std::string text(fuzz::View(data, size));
    TDateTime dt = 0;
    if (TryStrToDateTime(text, dt)) fuzz::Use(DateTimeToStr(dt));
    TryStrToDate(text, dt);
    TryStrToTime(text, dt);

    TXmlDateTimeParts parts;
    ParseXmlDateTime(text, parts);
    if (XmlDateTimeWritten(text, dt)) fuzz::Use(DateTimeToXml(dt));
    XmlDateTimeToLocal(text, dt);
    fuzz::Use(XmlDateTimeHour(text));

    int offset = 0;
    dt = CAPDateToDateTime(text, &offset);
    fuzz::Use(DateTimeToCAPDate(dt));
    // Formatting what was read must not fail either, whatever the date.
    fuzz::Use(FormatDateTime("dddd mmmm d yyyy hh:nn:ss am/pm", dt));
    return 0;
}
