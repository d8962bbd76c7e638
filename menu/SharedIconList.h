// The process-wide store of menu icons: one image list of 16 x 15 images with the command id of
// each image, so that every menu item of a command shows the same icon and each icon is held
// once. Under the XP style a command holds four consecutive images: its icon and its faded,
// shadow and disabled variants. Entries are only added or replaced, never removed.
#pragma once

#include "platform/win32.h"

// Puts image sourceIndex of sourceList in the store as the icon of commandId and returns the
// index of the command's icon. A command stored before has its images replaced in place (its
// variants too, when it has them and the XP style applies); a new one is appended, with its
// three variants under the XP style. -1, with nothing stored, when the image cannot be taken.
int RegisterSharedIcon(HIMAGELIST sourceList, int sourceIndex, UINT commandId);

// The index of the first image of commandId, or -1.
int SharedIconIndex(UINT commandId);

// Images index + 1 and index + 2 exist and belong to the command of image index: the icon at
// index was stored with its variants.
bool HasIconVariants(int index);

// The store's image list (NULL until the first icon is registered) and its number of images.
HIMAGELIST SharedIconImages();
int SharedIconCount();

// A bitmap that is not a 16-colour one has been loaded as a source of icons. Never reset while
// the process runs; the classic style draws disabled icons greyed rather than embossed then.
bool TrueColourIconsLoaded();
void NoteTrueColourIconsLoaded();

// Destroys the image list and forgets every entry and the flag above: the end of the process,
// or a fresh simulated desktop.
void ReleaseSharedIcons();
