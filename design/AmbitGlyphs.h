// The suite's own glyphs, drawn in code as small pictures for the image
// lists of its windows.
#pragma once

namespace host {
class TImageList;
}

namespace ambit {

// The pictures of the language source editor, by index: 0 a language,
// 1 the active mark, 2 add, 3 edit, 4 remove, 5 set active, 6 save,
// 7 none, 8 move up, 9 move down. 16 x 16 each.
void AddLanguageEditorGlyphs(host::TImageList* Images);

}  // namespace ambit
