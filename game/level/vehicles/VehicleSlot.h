#pragma once

// One slot of a vehicle beside the board: the piece type it asks for with the amount still
// missing, a progress bar and, when full, a completed icon. The first slot is the cab (head look
// and an animated driver), the last one carries the loading doors. Looks come from
// "Meadow/View/VehicleSlot.xml", one colour variant per child of "Backs" and "Doors".

#include "engine/gui/Panel.h"

struct cVehicleSlotRecord;
class cIconText;
class cMeadowView;
class cStateAnimation;
class cSubstrateProgressBar;

class cVehicleSlot : public Engine::cPanel {
public:
    // The board screen gives the piece looks (in the editor the looks "index1" to "index5").
    cVehicleSlot(Engine::cWidget* vehicleView, const cVehicleSlotRecord* slot, bool first, bool last, int colour,
                 cMeadowView* owner, bool editor);
    ~cVehicleSlot() override;

    void process() override;
    void loadXML(const Engine::IXmlNode* node) override;

    void updateSlot();
    void openDoors();
    void closeDoors();
    // The depth at which a loaded piece passes the doors.
    float getLoadDepth() const;

    // The number of colour variants a slot layout offers: the smallest count of "Backs" and
    // "Doors" children under "Heads" and "Trailers".
    static int countColours(const Engine::IXmlNode* root);

    cIconText* getSlotText() const { return m_slotText; }
    cSubstrateProgressBar* getProgress() const { return m_progress; }
    cStateAnimation* getDriver() const { return m_driver; }
    Engine::cPanel* getDoors() const { return m_doors; }
    Engine::cPanel* getCompletedIcon() const { return m_completedIcon; }
    int getColour() const { return m_colour; }
    bool isFirst() const { return m_first; }
    bool isLast() const { return m_last; }
    float getDoorsTime() const { return m_doorsTime; }
    bool isDoorsOpening() const { return m_doorsOpening; }

private:
    bool m_editor;
    cIconText* m_slotText = nullptr;
    cSubstrateProgressBar* m_progress = nullptr;
    int m_colour;
    bool m_first;
    bool m_last;
    cMeadowView* m_owner;
    const cVehicleSlotRecord* m_slot;
    cStateAnimation* m_driver = nullptr;
    Engine::cPanel* m_doors = nullptr;
    float m_doorsTime = 0;
    bool m_doorsOpening = true;
    Engine::cPanel* m_completedIcon = nullptr;
};
