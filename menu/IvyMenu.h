// A menu whose items inside popups are owner-drawn, with a 16 x 15 icon beside each text, in
// the classic or the XP style. Loaded from a standard menu resource; icons come from a toolbar
// resource and live in the process-wide shared icon list, so every item of a command shows the
// same icon. Every IvyMenu is permanently attached to its handle, so that the owner window's
// measure and draw requests reach it.
#pragma once

#include "framework/CMenu.h"
#include "menu/IvyMenuItem.h"

#include <memory>
#include <vector>

class IvyMenu : public CMenu {
    DECLARE_DYNAMIC(IvyMenu)
public:
    IvyMenu();
    // Destroy(), then the base.
    ~IvyMenu() override;
    IvyMenu(const IvyMenu&) = delete;
    IvyMenu& operator=(const IvyMenu&) = delete;

    // The system's owner-draw requests for this menu's items: the size of an item, and its
    // picture in its current state, in the XP style or the classic one.
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // Replaces the menu with the menu resource: the top level becomes plain string and popup
    // items, every item inside a popup owner-drawn. False when the resource is missing or
    // malformed (the menu keeps what it held) or no menu can be created (the menu is empty).
    virtual bool LoadFromResource(UINT nIDResource);
    virtual bool LoadFromResource(LPCSTR lpszResourceName);

    // Deletes the popup objects, the item records and the menu handle: the menu is empty.
    virtual void Destroy();

    // Appends an owner-drawn item with its record; command id 0 makes a separator, MF_POPUP
    // takes commandId as the handle of a popup menu owned by this one. The result of
    // AppendMenuA.
    BOOL AppendItem(LPCWSTR text, UINT flags, UINT_PTR commandId);

    // Pads the text before the tab of every item that has an accelerator with spaces, until
    // that text column is as wide as the widest item text plus one space.
    void PadAcceleratorColumn();

    // Gives every item whose command is a button of the toolbar resource that button's image as
    // its icon. False when the toolbar or its bitmap cannot be loaded.
    bool AddToolbarIcons(UINT toolbarId);

    // Sets the icon (image imageIndex of imageList, registered in the shared icon list) and,
    // when text is given, the text of every item of commandId. FALSE when no item has it.
    BOOL SetItemIcon(LPCWSTR text, UINT commandId, HIMAGELIST imageList, int imageIndex);

    // The menu, this one or one of its popups (searched first, depth first), that holds an item
    // of commandId, and the item's position there; nullptr and -1 when there is none.
    IvyMenu* FindItemMenu(UINT commandId, int& position);
    // The same, passing over the occurrences (menus[i], positions[i]) already found.
    IvyMenu* FindNextItemMenu(UINT commandId, int& position, const std::vector<IvyMenu*>& menus,
                              const std::vector<int>& positions);

    // The record of the item at a position of this menu, or nullptr.
    IvyMenuItem* ItemRecord(int position) const;
    int ItemRecordCount() const { return static_cast<int>(m_items.size()); }

private:
    void DrawItemClassic(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // A disabled item loses ODS_SELECTED in the request: the XP style never selects one.
    void DrawItemXP(LPDRAWITEMSTRUCT lpDrawItemStruct);

    IvyMenu* FindOccurrence(UINT commandId, int& position, const std::vector<IvyMenu*>* menus,
                            const std::vector<int>* positions);

    // One record per item, in position order: record i is the item at position i.
    std::vector<std::unique_ptr<IvyMenuItem>> m_items;
    // The popups appended to this menu; their IvyMenu objects belong to this menu.
    std::vector<HMENU> m_submenuHandles;
};
