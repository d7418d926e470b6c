// Pictures of an image list as Qt icons. The model keeps each picture as
// encoded image data; Qt decodes whatever format its image plug-ins read.
#pragma once

#include <QIcon>
#include <QSize>

namespace host {
class TImageList;
}

namespace host::qt {

// The picture at Index of Images; a null icon when there is none or it
// cannot be decoded.
QIcon IconOf(const TImageList* Images, int Index);

// An item's state picture followed by its picture, as list views show them
// side by side: with state pictures the state's place stays reserved (and
// empty for StateIndex -1) so that the pictures line up. Without state
// pictures, the picture alone.
QIcon StateAndImageIcon(const TImageList* StateImages, int StateIndex, const TImageList* Images, int Index);
// The size such icons take.
QSize StateAndImageSize(const TImageList* StateImages, const TImageList* Images);

}  // namespace host::qt
