#include "game/level/vehicles/VehicleTip.h"

#include "engine/core/Strings.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "game/model/VehicleModel.h"
#include "game/model/VehicleViewLink.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>

using namespace Engine;

namespace {

std::wstring translated(const std::wstring& text) {
    cStrings* strings = getStrings();
    return strings ? std::wstring(strings->translate(text)) : text;
}

// One integer conversion with the flags, width and precision given; the width and precision
// are bounded so the buffer always holds the result.
std::wstring formatInteger(const std::string& flags, int width, int precision, int value) {
    std::string format = "%" + flags;
    if (width >= 0)
        format += std::to_string(width);
    if (precision >= 0)
        format += "." + std::to_string(precision);
    format += "d";
    char buffer[512];
    const int length = std::snprintf(buffer, sizeof buffer, format.c_str(), value);
    if (length <= 0)
        return std::wstring();
    return std::wstring(buffer, buffer + std::min<size_t>(size_t(length), sizeof buffer - 1));
}

} // namespace

cVehicleTip::cVehicleTip(cWidget* owner) : cTip(owner), m_msgText(new cMultilineText(this)) {
    loadLayoutFile(*this, "Meadow/View/VehicleTip.xml");
}

cVehicleTip::~cVehicleTip() = default;

void cVehicleTip::loadXML(const IXmlNode* node) {
    cTip::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("MsgText", element))
        m_msgText->loadXML(element);
    element = nullptr;
    if (node->findNode("Msg", element))
        m_msg = translated(element->asWString());
}

void cVehicleTip::updateContent() {
    auto* view = static_cast<IVehicleView*>(m_owner);
    if (!view || !view->getVehicle())
        return;
    m_msgText->setText(formatMessage(m_msg, view->getVehicle()->getMoney()), true);
}

std::wstring cVehicleTip::formatMessage(const std::wstring& format, int value) {
    std::wstring result;
    bool used = false;
    size_t i = 0;
    while (i < format.size() && result.size() < MESSAGE_LIMIT) {
        const wchar_t c = format[i];
        if (c != L'%') {
            result += c;
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == L'%') {
            result += L'%';
            i += 2;
            continue;
        }
        // Parse a conversion; only the first integer one is filled, anything else is text.
        size_t j = i + 1;
        std::string flags;
        while (j < format.size() && std::wcschr(L"-+ 0#", format[j]) && format[j] != 0 && flags.size() < 5)
            flags += char(format[j++]);
        int width = -1;
        while (j < format.size() && std::iswdigit(format[j]))
            width = std::min(100, std::max(width, 0) * 10 + int(format[j++] - L'0'));
        int precision = -1;
        if (j < format.size() && format[j] == L'.') {
            precision = 0;
            ++j;
            while (j < format.size() && std::iswdigit(format[j]))
                precision = std::min(100, precision * 10 + int(format[j++] - L'0'));
        }
        if (!used && j < format.size() && (format[j] == L'd' || format[j] == L'i')) {
            result += formatInteger(flags, width, precision, value);
            used = true;
            i = j + 1;
            continue;
        }
        result += L'%';
        ++i;
    }
    if (result.size() > MESSAGE_LIMIT)
        result.resize(MESSAGE_LIMIT);
    return result;
}
