#pragma once

// The heroine on the map: walks her model from node to node of its path graph with a walking look
// for each of five directions (mirrored for the left), drawn in front of what stands above her,
// counts her idle, talk, work and funny-event times, shows her speech bubble and moves the model
// from state to state. Her looks are the development screen's.

#include "engine/core/Vector2.h"
#include "engine/gui/Button.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Engine {
class cFrameTextButton;
}
class cBubbleView;
class cGraphNode;
class cPersonageModel;
class IPersonageScreen;

class cPersonageView : public Engine::cButton {
public:
    cPersonageView(Engine::cWidget* parent, IPersonageScreen* screen, cPersonageModel* model);
    ~cPersonageView() override;

    void process() override;
    // The work countdown: it runs while she is hidden inside a building.
    void onUpdate() override;
    // The panel keys and the character keys (not "Graph" and "PersonageFunnyEvents", which are the
    // model's), then the bubble's element. The view always joins the update pass: her work
    // countdown runs there, whether or not the file sets "AbsoluteEnable".
    void loadXML(const Engine::IXmlNode* node) override;
    // Moves her feet there; her depth becomes the new y.
    void setPosition(const Engine::cVector2& position) override;
    using cSprite::setPosition;
    // Draws the picture raised by "HeightOffset".
    void prepareDraw() override;
    // Hit where she is drawn, raised by "HeightOffset".
    bool isPointInside(const Engine::cVector2& point) const override;

    virtual void startTalking();
    virtual void startWorking();
    virtual void updateVisualState();
    virtual void onEndMoving(int32_t node);
    // Chooses the walking look, size and speed for a walk along d.
    virtual void setMoveAnimation(const Engine::cVector2& d);
    virtual void stopWorking();
    virtual void startFunnyEventTalk();
    virtual void endTalk();

    void placeAtCurrentPoint();
    void hideBubble();
    void keepMoving();
    void startMoving();
    // One step towards the destination; true when it is reached (or passed).
    bool stepToNode(float dt);
    void endUnitTalk();
    // Goes into the building of the model's current point; only in the work state.
    void goToWork();
    void resetIdleTime();

    // The editor's overlay of the graph over the development screen: a button per node, captioned
    // with its index, that grows its neighbours' buttons while hovered, and a bar per arc, made
    // again from the prototypes.
    void showGraph();
    void removeGraph();
    void growNeighbours(int32_t node);
    void shrinkNeighbours(int32_t node);
    const std::map<int32_t, Engine::cFrameTextButton*>& getNodeWidgets() const { return m_nodeWidgets; }
    const std::vector<Engine::cPanel*>& getArcWidgets() const { return m_arcWidgets; }

    IPersonageScreen* getScreen() const { return m_screen; }
    cPersonageModel* getModel() const { return m_model; }
    cBubbleView* getBubble() const { return m_bubble; }
    cGraphNode* getDestination() const { return m_destination; }
    float getSpeed() const { return m_speed; }
    float getHeightOffset() const { return m_heightOffset; }
    bool isMoving() const { return m_moving; }
    bool isTalking() const { return m_talking; }
    bool isWorking() const { return m_working; }
    bool isFunnyTalking() const { return m_funnyTalking; }
    float getIdleTimeLeft() const { return m_idleTimeLeft; }
    float getWorkTimeLeft() const { return m_workTimeLeft; }
    const Engine::cVector2& getStandSize() const { return m_standSize; }

protected:
    // Reads the keys every character has and loads the model from the same element; loadXML adds
    // the heroine's update pass.
    void loadCharacterKeys(const Engine::IXmlNode* node);
    // Takes the look when its picture differs from the one shown: a walk that keeps its
    // direction does not restart its animation.
    void takeWalkingLook(const Engine::cVisual& look);
    // Takes the look when it differs at all.
    void takeLook(const Engine::cVisual& look);
    // The walking look, size and speed by the angle to straight up; false for a zero walk.
    struct tWalk {
        int direction = 0;
        Engine::cVector2 size;
        float speed = 0;
        bool mirrored = false;
    };
    bool chooseWalk(const Engine::cVector2& d, tWalk& walk) const;
    // A prototype of the overlay, loaded hidden under the development screen.
    template <class tProto> tProto* loadProto(const Engine::IXmlNode* node, const char* name);
    void resizeNeighbours(int32_t node, const Engine::cVector2& size);

    float m_heightOffset = 0;
    cPersonageModel* m_model;
    IPersonageScreen* m_screen;
    Engine::cFrameTextButton* m_nodeProto = nullptr;
    Engine::cPanel* m_arcProto = nullptr;
    std::map<int32_t, Engine::cFrameTextButton*> m_nodeWidgets;
    std::vector<Engine::cPanel*> m_arcWidgets;
    Engine::cVector2 m_largeNodeSize;
    Engine::cVector2 m_normalNodeSize;
    cGraphNode* m_destination = nullptr;
    float m_speed = 0;
    float m_speedX = 0;
    float m_speedY = 0;
    float m_speedXY = 0;
    bool m_moving = false;
    bool m_talking = false;
    float m_talkingTime = 0;
    float m_talkTimeLeft = 0;
    cBubbleView* m_bubble;
    bool m_working = false;
    float m_workTimeLeft = 0;
    float m_maxIdleTime = 0;
    float m_minIdleTime = 0;
    float m_idleTimeLeft = 0;
    float m_willToWork = 0;
    bool m_funnyTalking = false;
    float m_funnyTimeLeft = 0;
    std::wstring m_emptyLine;
    Engine::cVector2 m_standSize;
    Engine::cVector2 m_sizeUp;
    Engine::cVector2 m_sizeUpLeft;
    Engine::cVector2 m_sizeLeft;
    Engine::cVector2 m_sizeLeftDown;
    Engine::cVector2 m_sizeDown;
    // Names the file in the model's error texts.
    std::string m_fileName;
};
