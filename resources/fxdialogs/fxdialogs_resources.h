// Resource and control ids of fxdialogs.dll, shared by its .rc file, its code and its tests.
// The numbers are fixed: the main program and the tests name the dialogs and controls by them.
#pragma once

// Dialogs.
#define IDD_STYLE 101
#define IDD_BEVEL 102
#define IDD_SHADOW 115
#define IDD_COLORIZE 116
#define IDD_HSL 117
#define IDD_CONTRAST 118
#define IDD_OPACITY 8
#define IDD_BLUR 120
#define IDD_CUSTOM 121
#define IDD_BORDERIZE 123

// Arrow pictures of the bevel's light directions 1 to 8.
#define IDI_ARROW_FIRST 107
#define IDI_ARROW_1 107
#define IDI_ARROW_2 108
#define IDI_ARROW_3 109
#define IDI_ARROW_4 110
#define IDI_ARROW_5 111
#define IDI_ARROW_6 112
#define IDI_ARROW_7 113
#define IDI_ARROW_8 114

// Controls every dialog has.
#define IDC_OK 1077
#define IDC_PREVIEW 1001
#define IDC_BORDER_PREVIEW 1084

// Effect style.
#define IDC_STYLE_SEPARATE 1002
#define IDC_STYLE_UPPER_COLOR 1003
#define IDC_STYLE_LOWER_COLOR 1004
#define IDC_STYLE_SHADOW_COLOR 1005
#define IDC_STYLE_UPPER_INTENSITY 1006
#define IDC_STYLE_LOWER_INTENSITY 1007
#define IDC_STYLE_SHADOW_INTENSITY 1008
#define IDC_STYLE_REFLEX 1009

// Bevel.
#define IDC_BEVEL_LIGHT_COLOR 1004
#define IDC_BEVEL_SHADOW_COLOR 1005
#define IDC_BEVEL_LIGHT_SLIDER 1014
#define IDC_BEVEL_SHADOW_SLIDER 1015
#define IDC_BEVEL_LIGHT_EDIT 1078
#define IDC_BEVEL_SHADOW_EDIT 1079
#define IDC_BEVEL_TOP_LEFT 1016
#define IDC_BEVEL_TOP 1017
#define IDC_BEVEL_TOP_RIGHT 1018
#define IDC_BEVEL_RIGHT 1019
#define IDC_BEVEL_LEFT 1021
#define IDC_BEVEL_BOTTOM_LEFT 1022
#define IDC_BEVEL_BOTTOM 1023
#define IDC_BEVEL_BOTTOM_RIGHT 1024
#define IDC_BEVEL_CENTER 1026
#define IDC_BEVEL_DEPTH 1025

// Inner and drop shadow.
#define IDC_SHADOW_COLOR 1027
#define IDC_SHADOW_OPACITY_SLIDER 1028
#define IDC_SHADOW_OPACITY_EDIT 1082
#define IDC_SHADOW_X 1029
#define IDC_SHADOW_Y 1030
#define IDC_SHADOW_BLUR 1031

// Colorize.
#define IDC_COLORIZE_COLOR 1033
#define IDC_COLORIZE_RED_SLIDER 1034
#define IDC_COLORIZE_GREEN_SLIDER 1035
#define IDC_COLORIZE_BLUE_SLIDER 1036
#define IDC_COLORIZE_RED_EDIT 1079
#define IDC_COLORIZE_GREEN_EDIT 1080
#define IDC_COLORIZE_BLUE_EDIT 1081

// Hue, saturation and luminance.
#define IDC_HSL_HUE_SLIDER 1038
#define IDC_HSL_SATURATION_SLIDER 1039
#define IDC_HSL_LUMINANCE_SLIDER 1040
#define IDC_HSL_HUE_EDIT 1081
#define IDC_HSL_SATURATION_EDIT 1082
#define IDC_HSL_LUMINANCE_EDIT 1085

// Brightness and contrast.
#define IDC_BRIGHTNESS_SLIDER 1042
#define IDC_CONTRAST_SLIDER 1043
#define IDC_BRIGHTNESS_EDIT 1080
#define IDC_CONTRAST_EDIT 1081

// Opacity.
#define IDC_OPACITY_SLIDER 1045
#define IDC_OPACITY_EDIT 1046

// Heavy blur.
#define IDC_BLUR_SLIDER 1048

// Custom filter: the weight of row i, column j is edit IDC_CUSTOM_FIRST + 5 j + i.
#define IDC_CUSTOM_FIRST 1050
#define IDC_CUSTOM_SCALE 1075
#define IDC_CUSTOM_OFFSET 1076

// Borderize.
#define IDC_BORDER_COLOR 1085
#define IDC_BORDER_DEPTH 1086
