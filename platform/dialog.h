// The desktop's own file dialogs, where the system has them (Windows): the
// server opens them on the desktop it runs on, for a page that cannot learn
// where a chosen file is.
#pragma once

#include <optional>
#include <string>

enum class dialogKind { open, save, folder };

// True where nativeFileDialog can show a dialog.
bool haveNativeFileDialog();

// Shows the open, save or folder dialog, starting in startFolder (UTF-8),
// offering filters: Win32 filter text with 0x01 in place of each NUL ("Text
// files(*.txt)\x01*.txt\x01"), in UTF-8 when it is valid UTF-8, else in the
// system's code page. Returns the chosen path in UTF-8, or nothing when the
// person cancels or no dialog can be shown. Blocks until the dialog closes.
std::optional<std::string> nativeFileDialog(dialogKind kind, const std::string& title,
                                            const std::string& filters, const std::string& startFolder);
