#pragma once
// A minimal concrete service for exercising the base class.
#include "service/WxService.h"

class TTestWxService : public TCustomWxService {
public:
    explicit TTestWxService(void *owner) : TCustomWxService(owner) {
        name_ = "Test";
        SetDescription("A test service");
    }
    int temperature = 0, feelsLike = 0;
    int searches = 0;
    int GetTemperature() override { return temperature; }
    int GetFeelsLike() override { return feelsLike; }
    void SearchLocations(const std::string &text) override {
        TCustomWxService::SearchLocations(text);
        ++searches;
    }
};
