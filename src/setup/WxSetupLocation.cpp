// The Location page of the setup dialog: from a typed city, ZIP code, state
// or station to a location of the current service.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <cctype>

#include "app/IniSettings.h"
#include "service/WxService.h"
#include "setup/WxSetup.h"

namespace {
QString Q(const std::string &s) { return QString::fromStdString(s); }
std::string S(const QString &s) { return s.toStdString(); }
std::string Lower(std::string s) {
    for (char &c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

void TWxSetupDlg::btnSearchClick() {
    if (!service_) return;
    if (service_->GetLocation().empty())
        service_->SetLocation(S(Location->text().isEmpty() ? Search->currentText() : Location->text()));
    const std::string search = S(Search->currentText());
    if (service_->GetName() != "NWS") {
        FindLocations(search.empty() ? S(Location->text()) : search);
        return;
    }
    if (!search.empty()) {
        if (LookupUSCity(search) == 1) FindLocations(S(Search->currentText()));
    } else if (!service_->GetLatitude().empty() && !service_->GetLongitude().empty()) {
        FindLocations(S(CityName->text()));
    }
}

void TWxSetupDlg::SetCityName(const QString &text) {
    if (CityName->text() == text) return;
    CityName->setText(text);
    CityNameChange();
}

void TWxSetupDlg::CityNameChange() { LocationChanged(CityName); }

int TWxSetupDlg::LookupUSCity(const std::string &text) {
    if (text.empty() || !cityZip_) return 0;
    const QString typed = Search->currentText();
    Search->clear();
    Search->setEditText(typed);
    currentMatch_ = -1;
    const int count = cityZip_->Lookup(text, matches_);
    if (count > 0) {
        for (const TCityEntry &e : CityEntries(matches_)) Search->addItem(Q(e.Text), e.Match);
    }
    if (Search->count() > 0) {
        Search->setCurrentIndex(0);
        SetCityName(Search->itemText(0));
        currentMatch_ = Search->itemData(0).toInt();
        const TCityMatch &m = matches_.at(size_t(currentMatch_));
        Latitude->setText(Q(CoordinateText(m.Latitude)));
        Longitude->setText(Q(CoordinateText(m.Longitude)));
        FindNearestZone();
        const TNearestZone zone = CurrentZone(data());
        service_->SetCountyCode(zone.CountyName);
        if (hasSettings()) service_->Settings()->WriteString(service_->SectionName(), "Site", Lower(zone.Cwa));
    }
    if (Search->count() > 1 && isVisible()) Search->showPopup();
    return count;
}

void TWxSetupDlg::FindNearestZone() {
    if (!cityZip_ || currentMatch_ < 0 || size_t(currentMatch_) >= matches_.size()) return;
    TNearestZone zone;
    ::FindNearestZone(data(), matches_[size_t(currentMatch_)].Latitude, matches_[size_t(currentMatch_)].Longitude,
                      zone);
}

void TWxSetupDlg::SearchSelect(int index) {
    if (!service_ || service_->GetName() != "NWS" || !cityZip_ || Search->count() == 0) return;
    if (index < 0 || index >= Search->count()) return;
    currentMatch_ = Search->itemData(index).toInt();
    if (currentMatch_ < 0 || size_t(currentMatch_) >= matches_.size()) return;
    FindNearestZone();
    const TCityMatch &m = matches_[size_t(currentMatch_)];
    SetCityName(Search->itemText(index));
    Latitude->setText(Q(CoordinateText(m.Latitude)));
    Longitude->setText(Q(CoordinateText(m.Longitude)));
    const TNearestZone zone = CurrentZone(data());
    service_->SetCountyCode(zone.CountyName);
    if (hasSettings()) service_->Settings()->WriteString(service_->SectionName(), "Site", Lower(zone.Cwa));
    FindLocations(S(Latitude->text() + QStringLiteral(", ") + Longitude->text()));
}

void TWxSetupDlg::FindLocations(const std::string &text) {
    if (!service_ || PageControl->currentIndex() != LocationPage) return;
    if (Location->text().isEmpty() && Search->currentText().isEmpty()) return;
    cbLocations->clear();
    service_->SearchLocations(text);
    for (const std::string &line : service_->GetSearchLines()) cbLocations->addItem(Q(line));
    QCoreApplication::processEvents();
    if (cbLocations->count() == 1) {
        cbLocations->setCurrentIndex(0);
        cbLocationsSelect(0);
    } else if (cbLocations->count() > 1 && isVisible()) {
        cbLocations->showPopup();
    }
}

void TWxSetupDlg::cbLocationsSelect(int index) {
    if (!service_ || index < 0) return;
    const std::vector<std::string> &ids = service_->GetSearchIds();
    if (size_t(index) >= ids.size()) return;
    const TWxLocationRec rec = service_->LookupLocation(ids[size_t(index)]);
    Location->setText(Q(rec.ID));
    if (CityName->text() != Search->currentText()) {
        SetCityName(Q(rec.CityState.empty() ? rec.Name : rec.CityState));
        Latitude->setText(Q(rec.Latitude));
        Longitude->setText(Q(rec.Longitude));
    }
    if (!rec.County.empty()) {
        service_->SetStateCode(rec.State);
        // Without a zone table (AccuWeather) the record's own county stands.
        const TNearestZone zone = CurrentZone(data());
        service_->SetCountyCode(zone.CountyName.empty() ? rec.County : zone.CountyName);
    }
}

void TWxSetupDlg::LocationChanged(QObject *sender) {
    if (loading_) return;
    if (service_) {
        const std::string before = service_->GetLocation() + '\n' + service_->GetCityName() + '\n' +
                                   service_->GetLatitude() + '\n' + service_->GetLongitude();
        if (sender == Location) service_->SetLocation(S(Location->text()));
        else if (sender == CityName) service_->SetCityName(S(CityName->text()));
        else if (sender == Latitude) service_->SetLatitude(S(Latitude->text()));
        else if (sender == Longitude) service_->SetLongitude(S(Longitude->text()));
        else flags_.LocationModified = true;
        const std::string after = service_->GetLocation() + '\n' + service_->GetCityName() + '\n' +
                                  service_->GetLatitude() + '\n' + service_->GetLongitude();
        // A new place must be fetched on OK, not only written to the file.
        if (after != before && isVisible()) flags_.LocationModified = true;
    }
    setOptionsModified();
    btnOK->setEnabled(true);
}
