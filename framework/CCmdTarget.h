// Objects that receive messages and commands through message maps.
//
// A message map is a static table of entries, one per message or command (range) that the class
// handles, linked to the base class's table. Dispatch looks in the object's own class first,
// then in each base in turn, and the first entry that matches wins. Each entry holds a small
// function that unpacks the message's parameters and calls the handler member, so handlers have
// the usual typed signatures (OnSize(UINT, int, int), OnTimer(UINT_PTR) ...).
#pragma once

#include "framework/CObject.h"
#include "platform/win32.h"

class CCmdTarget;

// Unpacks a message for one handler; sets *pResult when the message has a result.
typedef void (*AFX_PMSG)(CCmdTarget* pTarget, UINT nMessage, WPARAM wParam, LPARAM lParam,
                         LRESULT* pResult);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message; WM_COMMAND for command entries; 0 ends the table
    UINT nCode;    // notification code of command entries (CN_COMMAND for menus and buttons)
    UINT nID;      // first command id
    UINT nLastID;  // last command id (the same as nID unless a range)
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The notification code of commands from menus, accelerators and buttons.
#define CN_COMMAND 0

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Runs the handler of the command id in this object's map chain; false when none handles it.
    virtual bool OnCmdMsg(UINT nID, int nCode, HWND hWndCtrl);

    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();

    // The first entry for the window message (not a command) in the map chain, or null.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage);
    // The first command entry for (id, code) in the map chain, or null.
    static const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP* pMap, UINT nID, UINT nCode);
};

#define DECLARE_MESSAGE_MAP()                                                                      \
public:                                                                                            \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        typedef theClass ThisClass [[maybe_unused]];                                               \
        typedef baseClass TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// The handler's pointer: the entry functions below are defined inside the class's map function,
// so they reach its protected and private members.
#define AFX_THIS(p) static_cast<ThisClass*>(p)

#define AFX_MSG_ENTRY(message, ...)                                                                \
    {message, 0, 0, 0,                                                                             \
     [](CCmdTarget* pTarget, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {          \
         (void)nMsg;                                                                               \
         (void)wParam;                                                                             \
         (void)lParam;                                                                             \
         (void)pResult;                                                                            \
         __VA_ARGS__;                                                                              \
     }},

// Command entries: memberFxn is the member's name, qualified or not (OnQuit, CWinApp::OnHelp).
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id),                         \
     [](CCmdTarget* pTarget, UINT, WPARAM, LPARAM, LRESULT*) { AFX_THIS(pTarget)->memberFxn(); }},

// void memberFxn(UINT nID) for every id from id1 to id2.
#define ON_COMMAND_RANGE(id1, id2, memberFxn)                                                      \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id1), static_cast<UINT>(id2),                       \
     [](CCmdTarget* pTarget, UINT, WPARAM wParam, LPARAM, LRESULT*) {                              \
         AFX_THIS(pTarget)->memberFxn(static_cast<UINT>(LOWORD(wParam)));                          \
     }},

// A control notification: void memberFxn() for (code, id).
#define ON_CONTROL(code, id, memberFxn)                                                            \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),            \
     [](CCmdTarget* pTarget, UINT, WPARAM, LPARAM, LRESULT*) { AFX_THIS(pTarget)->memberFxn(); }},

// LRESULT memberFxn(WPARAM, LPARAM) for any message, private ones included.
#define ON_MESSAGE(message, memberFxn)                                                             \
    AFX_MSG_ENTRY(message, *pResult = AFX_THIS(pTarget)->memberFxn(wParam, lParam))
