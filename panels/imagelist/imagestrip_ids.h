// imagestrip resources, grouped by kind. Shared by the .rc file and the code.
#pragma once

// Cursors (32 x 32 monochrome).
#define IDCUR_HAND_POINT 101
#define IDCUR_HAND_GRAB 102

// Menus: the strip's context menu (its first submenu, "IMAGE").
#define IDM_IMAGE_MENU 105

// Commands of the context menu, by position.
#define IDM_CREATE_IMAGE 32778
#define IDM_DUPLICATE_IMAGE 32779
#define IDM_DELETE_IMAGE 32780
#define IDM_IMAGE_PROPERTIES 32781
#define IDM_ANIMATED_CURSOR_PROPERTIES 32789
#define IDM_EXPORT_IMAGE 32784
#define IDM_STANDARD_FORMATS 32785
