#pragma once
// A file as the explorer edits it: its bytes decoded for the editor, how to write them back so that nothing
// but the edited text changes, and whether the file changed on disk since it was read or written.
#include "frame/String.h"

#include <string>

class CSourceFile
{
public:
    enum EState
    {
        eText,          // editable
        eNotText,       // a NUL among the first bytes, or not UTF-8: shown read-only
        eMixedLines,    // more than one kind of line break: saving would change the others, so read-only
        eUnreadable
    };

    // Reads the whole file; GetState says what came of it.
    void Load(const std::wstring& path);

    EState GetState() const { return m_eState; }
    BOOL IsEditable() const { return m_eState == eText; }
    const std::wstring& GetPath() const { return m_path; }
    // The text for the editor: one '\r' per line break, as the rich edit keeps it.
    const CString& GetText() const { return m_strText; }
    // Why the file is shown read-only, for the page; empty for an editable file.
    CString GetNotice() const;

    // Whether the file's bytes on disk differ from those last read or written here.
    BOOL IsChangedOnDisk() const;
    // Writes the editor's text with the file's own line breaks and byte-order mark; a failed write leaves the
    // old file whole. FALSE when it could not be written.
    BOOL Save(const CString& strEditorText);

    // The bytes Save writes for an editor text.
    std::string Encode(const CString& strEditorText) const;

private:
    EState Decode(const std::string& bytes);

    std::wstring m_path;
    EState m_eState = eUnreadable;
    CString m_strText;
    std::string m_lineBreak = "\r\n";
    BOOL m_bByteOrderMark = FALSE;
    // What the file held when last read or written here.
    std::string m_onDisk;
};
