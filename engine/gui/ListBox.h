#pragma once

// A scrolling column of row buttons copied from a hidden template, with up and down buttons,
// laid out in the window between "TopLeft" and "BottomRight" one "Interlinear" apart. A click
// on a row calls the owner with the row's index. Rows are texture buttons with a caption that
// shows the row's text.

#include "engine/gui/TextureTextButton.h"

#include <string>
#include <vector>

namespace Engine {

class cListBox : public cPanel {
public:
    using tSelectCallback = void (*)(int row, cListBox* box);

    explicit cListBox(cWidget* parent);
    ~cListBox() override;

    // The panel keys, "Interlinear", "MaxRows", "TopLeft", "BottomRight", the "UpButton",
    // "DownButton" and "Button" (row template) elements and the rows of "Strings".
    void loadXML(const IXmlNode* node) override;

    // Appends a copy of the row template with that text, then lays out.
    void addString(const std::wstring& text);
    // Hides every row at once and deletes it at the end of the frame; then lays out.
    void clear();
    void setSelectCallback(tSelectCallback callback) { m_selectCallback = callback; }
    // Shows the rows from the first visible one on and the scroll buttons that can scroll.
    void layout();

    size_t getRowCount() const { return m_rows.size(); }
    cTextureTextButton* getRow(size_t index) const { return m_rows[index]; }
    const std::wstring& getRowText(size_t index) const { return m_rowTexts[index]; }
    // The number of rows, and the text row i's caption shows.
    int getCount() const { return int(m_rows.size()); }
    const std::wstring& getString(int index) const { return m_rows[size_t(index)]->getText(); }
    unsigned getFirstRow() const { return m_firstRow; }
    void setFirstRow(unsigned row) { m_firstRow = row; }
    unsigned getMaxRows() const { return m_maxRows; }
    float getInterlinear() const { return m_interlinear; }
    void setInterlinear(float interlinear) { m_interlinear = interlinear; }
    void setWindow(const cVector2& topLeft, const cVector2& bottomRight);
    cTextureButton* getUpButton() const { return m_upButton; }
    cTextureButton* getDownButton() const { return m_downButton; }
    cTextureTextButton* getRowTemplate() const { return m_rowTemplate; }

    void scrollUp();
    void scrollDown();

protected:
    virtual void setRowText(cTextureTextButton* row, const std::wstring& text);
    void appendRow(const std::wstring& text);

    std::vector<cTextureTextButton*> m_rows;
    std::vector<std::wstring> m_rowTexts;
    cTextureButton* m_upButton;
    cTextureButton* m_downButton;
    unsigned m_maxRows = 10;
    cVector2 m_topLeft;
    cVector2 m_bottomRight;
    float m_interlinear = 50;
    unsigned m_firstRow = 0;
    cTextureTextButton* m_rowTemplate;
    tSelectCallback m_selectCallback = nullptr;

private:
    static void onUpClick(cButton* button);
    static void onDownClick(cButton* button);
    static void onRowClick(cButton* button);
};

} // namespace Engine
