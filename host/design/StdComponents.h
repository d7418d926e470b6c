// The host's own controls on the component palette, and the component
// editors the designer brings for them.
#pragma once

namespace host {

// Puts the standard controls on the pages "Standard", "Additional",
// "Common Controls" and "Dialogs" (once; later calls do nothing) and
// registers the page control's editor. Everything belongs to the host.
void RegisterStandardComponents();

}  // namespace host
