// The language of the program's texts. The option selected on frmSettings names the
// language; lang.xml in the shared Config folder holds every text under its key, one
// attribute per language (Lang0 English, Lang1 German).
#pragma once

#include <string>
#include <string_view>

#include "core/run_state.h"

namespace kelvort {

class Form;

// The language file: the program's folder followed by "\..\Config\lang.xml".
std::string LangFile(const RunState& state);

// "Lang" followed by the index of the selected option of frmSettings' optLang (loading
// that form on first use); empty when none is selected.
std::string GetLanguage(RunState& state);

// The key's text in the current language; empty when lang.xml, the key or the language's
// text is missing (never the key itself). lang.xml is read anew on every call.
std::string GetRightLangText(RunState& state, std::string_view key);

// The key's text for a message box, never empty: looked up with the failure flag cleared
// (and the flag then given back), or, when lang.xml has no text for it, a fixed English
// text that names lang.xml as missing.
std::string BoxText(RunState& state, std::string_view key);

// Gives every control with a Tag the text of its key (the Tag's first comma-separated
// field) as its caption, and the form the caption "Kelvort - " and the text of its own Tag.
// Captions without a text in lang.xml stay as they are.
void SetLanguage(RunState& state, Form& form);

}  // namespace kelvort
