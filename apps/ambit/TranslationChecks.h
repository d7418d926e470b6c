// The checks of ambit check, one form and one language at a time: what
// each translated text keeps of its designed text (accelerator,
// placeholders, blanks and line breaks around it, list items), records
// that are missing or orphaned, accelerators two controls share, and
// captions that no longer fit their control.
#pragma once

#include <functional>
#include <string>

#include "apps/ambit/FormTexts.h"

namespace ambit::cli {

enum class TSeverity { Warning, Error };

// Receives one finding: the record it is about, its severity, a short
// name of the check and what is wrong.
using TFindingSink = std::function<void(const std::string& Record, TSeverity Severity, const char* Check,
                                        const std::string& Message)>;

// Missing translations and what each translation keeps of its designed
// text. Stored holds the language's records of the form's section.
void CheckTranslations(const TFormTexts& Form, const host::TStringList& Stored, const TFindingSink& Add);

// Stored records that name no component or property of the form, each
// with the component a renamed one most likely became.
void CheckOrphans(const TFormTexts& Form, const host::TStringList& Stored, const TFindingSink& Add);

// Controls of the form, and items of one menu, that share an accelerator
// in the texts the form shows now.
void CheckSharedAccelerators(const TFormTexts& Form, const TFindingSink& Add);

// Captions the form shows now that do not fit their control, measured
// through the widgetset; the form's peers must exist. Does nothing in a
// build without Qt.
void CheckFit(const TFormTexts& Form, const TFindingSink& Add);

// The record that gives a control its caption: its own, or its action's
// when the control takes the action's; its own name when neither is a
// record of the form.
std::string CaptionRecord(const TFormTexts& Form, const host::TComponent* Control);

}  // namespace ambit::cli
