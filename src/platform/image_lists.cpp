#include "platform/image_lists.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/ui_item_view.h"

void destroyImageList(void* list) {
    // A view must not draw from a list that is gone.
    detachItemViewImages(list);
    ImageList_Destroy(static_cast<HIMAGELIST>(list));
}

void* createIconImageList(int pixels) { return ImageList_Create(pixels, pixels, ILC_COLOR32 | ILC_MASK, 16, 64); }

int addImageListIcon(void* list, void* icon) {
    if (!list || !icon) return -1;
    return ImageList_AddIcon(static_cast<HIMAGELIST>(list), static_cast<HICON>(icon));
}
