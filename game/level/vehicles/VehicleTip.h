#pragma once

// The tool-tip of a vehicle waiting beside the board: its message with the money the vehicle
// pays when it is full.

#include "game/shell/Tip.h"

#include <string>

class IVehicleView;

class cVehicleTip : public cTip {
public:
    // Longest message it shows, in UTF-16 units; a longer one is cut.
    static constexpr size_t MESSAGE_LIMIT = 511;

    // Reads "Meadow/View/VehicleTip.xml" only.
    explicit cVehicleTip(Engine::cWidget* owner);
    ~cVehicleTip() override;

    void loadXML(const Engine::IXmlNode* node) override;
    void updateContent() override;

    void setVehicleView(IVehicleView* view) { m_owner = view; }
    const std::wstring& getMessage() const { return m_msg; }
    void setMessage(const std::wstring& message) { m_msg = message; }
    Engine::cMultilineText* getMessageText() const { return m_msgText; }

    // The message with its one integer put in: the first "%d" or "%i" (flags, width and
    // precision as in printf) takes the value, "%%" is a percent sign, and every other "%"
    // stays as it is. The data never acts as a format string.
    static std::wstring formatMessage(const std::wstring& format, int value);

private:
    Engine::cMultilineText* m_msgText;
    std::wstring m_msg;
};
