// Pictures of an image list as Qt icons. The model keeps each picture as
// encoded image data; Qt decodes whatever format its image plug-ins read.
#pragma once

#include <QIcon>

namespace host {
class TImageList;
}

namespace host::qt {

// The picture at Index of Images; a null icon when there is none or it
// cannot be decoded.
QIcon IconOf(const TImageList* Images, int Index);

}  // namespace host::qt
