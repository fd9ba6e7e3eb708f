#pragma once
// The alerts of one state's CAP index, filtered by county.
#include <functional>
#include <memory>
#include <string>

#include "nws/CAPIndex.h"
#include "service/WxModel.h"

class TNWSAlerts;  // : public TAlerts

// fetch(url) downloads an alert document and returns its local path, or "" on failure.
std::unique_ptr<TAlerts> ParseNwsAlerts(const TCAPIndex &index, const std::string &countyFilter,
                                        const std::function<std::string(const std::string &url)> &fetch);
