// The entry point of the design-time package: Register puts the suite's
// components on the palette and binds its editors. The designer host
// calls it through the plug-in's exported entry when it loads ambitdt.
#pragma once

namespace ambit {

void Register();

}  // namespace ambit
