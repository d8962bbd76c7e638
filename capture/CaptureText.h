// The text of one capture while it is collected: an 8-bit string in the ANSI code page that
// never grows beyond the capture's text buffer of 32,680 bytes (32,679 characters and the
// terminating zero). Pieces are taken whole or not at all, and the first piece that does not
// fit closes the text: so a long whole-dialog text ends at the end of a line, never in the
// middle of one, and no later, shorter line slips in behind a missing one.
#pragma once

#include "framework/CString.h"

class CaptureText {
public:
    static constexpr int kBufferSize = 32680;
    static constexpr int kMaxLength = kBufferSize - 1;

    // Appends the whole piece and returns true, or appends nothing, closes the text and
    // returns false.
    bool Append(const char* psz, int nLength);
    bool Append(const char* psz);
    // Appends as much of the piece as fits while `nKeepFree` bytes stay free behind it (for
    // markup that must still follow), never splitting a double-byte character.
    void AppendCut(const char* psz, int nLength, int nKeepFree);

    bool IsClosed() const { return m_bClosed; }
    int GetLength() const { return m_strText.GetLength(); }
    int Room() const { return kMaxLength - m_strText.GetLength(); }
    const CString& GetText() const { return m_strText; }

private:
    CString m_strText;
    bool m_bClosed = false;
};
