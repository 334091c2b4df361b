// The picture clipboard format's block: the bytes of a picture file, a
// bitmap (.bmp), an icon (.ico) or an enhanced metafile (.emf). Another
// program put it there, so it is checked before anything loads it.
#pragma once

#include <cstddef>
#include <cstdint>

enum TPictureBlockKind { pbkNone, pbkBitmap, pbkIcon, pbkMetafile };

// What the block holds, or pbkNone when it is none of them or fails the
// checks: a bitmap's file and info headers, colour table and rows lie inside
// the block, uncompressed; an icon's images do (see the icon block); a
// metafile's records follow each other from its header to its end record,
// within the block.
TPictureBlockKind PictureBlockKind(const void* data, size_t size);
