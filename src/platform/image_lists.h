#pragma once
// Image lists of icons, for the item views. Whoever makes one owns it; the
// views they are shown in only borrow them.
#include "platform/icons.h"
#include "platform/owned_handle.h"

void destroyImageList(void* list);
using ImageListHandle = OwnedHandle<destroyImageList>;

// An empty list of icons `pixels` square (iconPixels).
void* createIconImageList(int pixels);
// Adds a copy of the icon; returns its index in the list, -1 on failure.
int addImageListIcon(void* list, void* icon);
