// One control table per dialog template. The .rc expands these rows into
// real Win32 controls; the headless platform expands the same rows into its
// in-memory controls, so both see the same ids, kinds, places and states.
//
// Row: X(id, kind, caption, left, top, width, height, state)
// Positions are dialog units. Kinds: STATIC, COMBO, CHECK, RADIO, BUTTON,
// DEFBUTTON, LISTVIEW, GROUP, CAPTUREBUTTON, ICON, FRAME, PICTURE (a pane
// that paints a picture, Window::SetPanePicture), EDIT, COMBOEDIT (an
// editable drop-down list), FONTLIST (an editable drop-down list of font
// names, sorted), SLIDER, COLORBUTTON, PROGRESS. States: VISIBLE, HIDDEN,
// HIDDEN_DISABLED. Captions are UTF-8; most are replaced at run time by the
// language's texts. A list's height includes its drop-down part.
#pragma once

#include "PrismelVersion.h"
#include "resource.h"

// String resources: X(id, text)
#define STRING_TABLE(X) X(IDS_ABOUTBOX, "About Tessivue(&A)...")

// Dialog frames: X(id, caption, width, height)
#define CAPTURE_WINDOW_FRAME(X) X(IDD_CAPTURE_WINDOW, "Prismel", 739, 369)
#define ABOUTBOX_FRAME(X) X(IDD_ABOUTBOX, "About Prismel", 200, 62)
#define MAIN_PREVIEW_HOST_FRAME(X) X(IDD_MAIN_PREVIEW_HOST, "", 320, 200)
#define SECONDARY_PREVIEW_HOST_FRAME(X) X(IDD_SECONDARY_PREVIEW_HOST, "", 160, 100)
#define MERGE_PREVIEW_FRAME(X) X(IDD_MERGE_PREVIEW, "", 300, 123)
#define MERGE_OPTIONS_FRAME(X) X(IDD_MERGE_OPTIONS, "Webcam Merge Setting", 220, 172)
#define RECEIVE_DS_MESSAGES_FRAME(X) X(IDD_RECEIVE_DS_MESSAGES, "", 21, 9)
#define WATERMARK_FRAME(X) X(IDD_WATERMARK, "Watermark Setting", 250, 224)
#define AUTO_CAPTURE_FRAME(X) X(IDD_AUTO_CAPTURE, "Auto Capture", 200, 74)

#define CAPTURE_WINDOW_CONTROLS(X)                                                      \
  X(IDC_COLOR_LABEL, STATIC, "Color", 8, 13, 57, 8, VISIBLE)                            \
  X(IDC_COLOR_MODE, COMBO, "", 69, 11, 107, 30, VISIBLE)                                \
  X(IDC_CROP_LABEL, STATIC, "Crop", 8, 29, 56, 8, VISIBLE)                              \
  X(IDC_CROP_MODE, COMBO, "", 69, 27, 107, 30, VISIBLE)                                 \
  X(IDC_FILE_FORMAT_LABEL, STATIC, "File format", 8, 46, 57, 8, VISIBLE)                \
  X(IDC_FILE_FORMAT, COMBO, "", 69, 44, 107, 30, VISIBLE)                               \
  X(IDC_MERGE, CHECK, "Merge", 26, 122, 141, 10, VISIBLE)                               \
  X(IDC_MERGE_HORIZONTAL, RADIO, "Horizontal", 42, 151, 127, 10, VISIBLE)               \
  X(IDC_MERGE_VERTICAL, RADIO, "Vertical", 42, 137, 127, 10, VISIBLE)                   \
  X(IDC_DEVICE_SETTINGS, BUTTON, "Device", 109, 285, 46, 14, HIDDEN_DISABLED)           \
  X(IDC_IMAGE_SETTINGS, BUTTON, "Image settings", 5, 284, 97, 14, VISIBLE)              \
  X(IDC_SECONDARY_CAMERA, CHECK, "Webcam", 14, 237, 93, 10, VISIBLE)                    \
  X(IDC_SECONDARY_DEVICE_LABEL, STATIC, "Camera", 5, 255, 33, 8, VISIBLE)               \
  X(IDC_SECONDARY_DEVICE, COMBO, "", 49, 241, 63, 30, VISIBLE)                          \
  X(IDC_MERGE_SETTINGS, BUTTON, "Setting", 24, 252, 53, 14, VISIBLE)                    \
  X(IDC_ZOOM_IN, BUTTON, "+", 199, 315, 56, 14, VISIBLE)                                \
  X(IDC_ZOOM_OUT, BUTTON, "-", 263, 315, 56, 14, VISIBLE)                               \
  X(IDC_ORIGINAL_SIZE, BUTTON, "1:1", 334, 315, 56, 14, VISIBLE)                        \
  X(IDC_BEST_FIT, BUTTON, "Best", 403, 315, 56, 14, VISIBLE)                            \
  X(IDC_ROTATE_LABEL, STATIC, "Rotate", 461, 317, 44, 8, VISIBLE)                       \
  X(IDC_ROTATE, COMBO, "", 509, 315, 108, 30, VISIBLE)                                  \
  X(IDC_EXIT, DEFBUTTON, "退出", 638, 317, 42, 29, VISIBLE)                             \
  X(IDC_DEVICE_LABEL, STATIC, "Device", 5, 343, 33, 8, VISIBLE)                         \
  X(IDC_DEVICE, COMBO, "", 42, 341, 60, 30, VISIBLE)                                    \
  X(IDC_MEDIA_LABEL, STATIC, "Format", 12, 189, 49, 8, VISIBLE)                         \
  X(IDC_MEDIA_TYPE, COMBO, "", 65, 187, 60, 30, VISIBLE)                                \
  X(IDC_FRAME_SIZE_LABEL, STATIC, "Size", 319, 343, 49, 8, VISIBLE)                     \
  X(IDC_FRAME_SIZE, COMBO, "", 370, 341, 73, 30, VISIBLE)                               \
  X(IDC_UNIT_LABEL, STATIC, "Unit", 177, 343, 47, 8, VISIBLE)                           \
  X(IDC_UNUSED_BUTTON, BUTTON, "", 133, 201, 42, 29, HIDDEN)                            \
  X(IDC_AUTO_CAPTURE, BUTTON, "Auto", 26, 211, 39, 14, HIDDEN)                          \
  X(IDC_THUMBNAILS, LISTVIEW, "", 633, 6, 97, 297, VISIBLE)                             \
  X(IDC_SECONDARY_MERGE, CHECK, "Merge", 14, 287, 93, 10, VISIBLE)                      \
  X(IDC_SAVE, BUTTON, "Save", 123, 235, 37, 14, VISIBLE)                                \
  X(IDC_SECONDARY_SIZE_LABEL, STATIC, "Size", 5, 270, 33, 8, VISIBLE)                   \
  X(IDC_SECONDARY_FRAME_SIZE, COMBO, "", 42, 268, 63, 30, VISIBLE)                      \
  X(IDC_MERGE_GROUP, GROUP, "", 5, 112, 172, 52, VISIBLE)                               \
  X(IDC_IMAGE_GROUP, GROUP, "", 2, 263, 132, 9, VISIBLE)                                \
  X(IDC_SECONDARY_GROUP, GROUP, "", 2, 275, 105, 28, VISIBLE)                           \
  X(IDC_AUTO_CAPTURE_MODE, COMBO, "", 69, 63, 107, 30, VISIBLE)                         \
  X(IDC_AUTO_CAPTURE_LABEL, STATIC, "Auto capture", 6, 65, 59, 8, VISIBLE)              \
  X(IDC_UNIT, COMBO, "", 227, 341, 67, 30, VISIBLE)                                     \
  X(IDC_LANGUAGE, COMBO, "", 509, 341, 108, 30, VISIBLE)                                \
  X(IDC_LANGUAGE_LABEL, STATIC, "Language", 457, 343, 48, 8, VISIBLE)                   \
  X(IDC_HAND_CROP, CHECK, "Hand crop", 27, 98, 145, 10, VISIBLE)                        \
  X(IDC_SECONDARY_CAPTURE, BUTTON, "Capture 2", 77, 210, 50, 14, VISIBLE)               \
  X(IDC_AUTO_FOCUS, BUTTON, "Focus", 130, 258, 50, 14, VISIBLE)                         \
  X(IDC_PREVIEW_AREA, STATIC, "", 183, 7, 440, 297, VISIBLE)                            \
  X(IDC_WATERMARK_GROUP, GROUP, "", 2, 262, 133, 42, VISIBLE)                           \
  X(IDC_WATERMARK, CHECK, "Watermark", 14, 271, 93, 10, VISIBLE)                        \
  X(IDC_WATERMARK_SETTINGS, BUTTON, "Setting", 24, 284, 50, 14, VISIBLE)                \
  X(IDC_CAPTURE, CAPTUREBUTTON, "Capture", 684, 317, 42, 29, VISIBLE)                   \
  X(IDC_FILL_BORDER, CHECK, "Fill edges", 26, 83, 145, 10, VISIBLE)

// The copyright line takes 130 dialog units of the dialog font.
#define ABOUTBOX_CONTROLS(X)                                                            \
  X(IDC_ABOUT_ICON, ICON, "", 14, 14, 21, 20, VISIBLE)                                  \
  X(IDC_ABOUT_NAME, STATIC, "Prismel, Version " PRISMEL_VERSION_TEXT, 42, 14, 150, 8,   \
    VISIBLE)                                                                            \
  X(IDC_ABOUT_COPYRIGHT, STATIC, "Copyright (C) 2026 The Prismel developers", 42, 26,  \
    150, 8, VISIBLE)                                                                    \
  X(IDOK, DEFBUTTON, "OK", 143, 41, 50, 14, VISIBLE)

#define MAIN_PREVIEW_HOST_CONTROLS(X)
#define SECONDARY_PREVIEW_HOST_CONTROLS(X)
#define RECEIVE_DS_MESSAGES_CONTROLS(X)

#define MERGE_PREVIEW_CONTROLS(X)                                                       \
  X(IDC_MERGE_FIRST_PANE, PICTURE, "", 4, 4, 143, 115, VISIBLE)                         \
  X(IDC_MERGE_SECOND_PANE, PICTURE, "", 153, 4, 143, 115, VISIBLE)

// The thirteen radios form one group: at most one of them is checked.
#define MERGE_OPTIONS_CONTROLS(X)                                                       \
  X(IDC_OUTSIDE_MODE, CHECK, "Outside", 20, 10, 80, 12, VISIBLE)                        \
  X(IDC_INSIDE_MODE, CHECK, "Inside", 120, 10, 80, 12, VISIBLE)                         \
  X(IDC_MAIN_PICTURE_FRAME, FRAME, "", 70, 45, 80, 80, VISIBLE)                         \
  X(IDC_OUTSIDE_LEFT_UPPER, RADIO, "", 56, 48, 10, 10, VISIBLE)                         \
  X(IDC_OUTSIDE_TOP_LEFT, RADIO, "", 73, 32, 10, 10, VISIBLE)                           \
  X(IDC_OUTSIDE_TOP_RIGHT, RADIO, "", 137, 32, 10, 10, VISIBLE)                         \
  X(IDC_OUTSIDE_RIGHT_UPPER, RADIO, "", 156, 48, 10, 10, VISIBLE)                       \
  X(IDC_OUTSIDE_RIGHT_LOWER, RADIO, "", 156, 112, 10, 10, VISIBLE)                      \
  X(IDC_OUTSIDE_BOTTOM_RIGHT, RADIO, "", 137, 129, 10, 10, VISIBLE)                     \
  X(IDC_OUTSIDE_BOTTOM_LEFT, RADIO, "", 73, 129, 10, 10, VISIBLE)                       \
  X(IDC_OUTSIDE_LEFT_LOWER, RADIO, "", 56, 112, 10, 10, VISIBLE)                        \
  X(IDC_INSIDE_CENTRE, RADIO, "", 105, 80, 10, 10, VISIBLE)                             \
  X(IDC_INSIDE_TOP_LEFT, RADIO, "", 74, 49, 10, 10, VISIBLE)                            \
  X(IDC_INSIDE_TOP_RIGHT, RADIO, "", 136, 49, 10, 10, VISIBLE)                          \
  X(IDC_INSIDE_BOTTOM_RIGHT, RADIO, "", 136, 111, 10, 10, VISIBLE)                      \
  X(IDC_INSIDE_BOTTOM_LEFT, RADIO, "", 74, 111, 10, 10, VISIBLE)                        \
  X(IDOK, DEFBUTTON, "OK", 50, 148, 50, 14, VISIBLE)                                    \
  X(IDCANCEL, BUTTON, "Cancel", 120, 148, 50, 14, VISIBLE)

// The position radios are one group, in index order row by row; the static
// label after them starts the next group.
#define WATERMARK_CONTROLS(X)                                                           \
  X(IDC_WM_FONT_LABEL, STATIC, "Font", 10, 12, 50, 8, VISIBLE)                          \
  X(IDC_WM_FONT, FONTLIST, "", 64, 10, 179, 120, VISIBLE)                               \
  X(IDC_WM_SIZE_LABEL, STATIC, "Font Size", 10, 30, 50, 8, VISIBLE)                     \
  X(IDC_WM_SIZE, COMBOEDIT, "", 64, 28, 50, 120, VISIBLE)                               \
  X(IDC_WM_COLOR_LABEL, STATIC, "Color", 128, 30, 40, 8, VISIBLE)                       \
  X(IDC_WM_COLOR, COLORBUTTON, "", 171, 27, 72, 14, VISIBLE)                            \
  X(IDC_WM_BOLD, CHECK, "Weight", 10, 48, 70, 10, VISIBLE)                              \
  X(IDC_WM_ITALIC, CHECK, "Italic", 88, 48, 70, 10, VISIBLE)                            \
  X(IDC_WM_UNDERLINE, CHECK, "Underline", 166, 48, 77, 10, VISIBLE)                     \
  X(IDC_WM_TRANSPARENCY_LABEL, STATIC, "Transparency", 10, 67, 52, 8, VISIBLE)          \
  X(IDC_WM_TRANSPARENCY, SLIDER, "", 64, 64, 140, 15, VISIBLE)                          \
  X(IDC_WM_TRANSPARENCY_VALUE, STATIC, "", 208, 67, 35, 8, VISIBLE)                     \
  X(IDC_WM_ANGLE_LABEL, STATIC, "Angle", 10, 87, 52, 8, VISIBLE)                        \
  X(IDC_WM_ANGLE, SLIDER, "", 64, 84, 140, 15, VISIBLE)                                 \
  X(IDC_WM_ANGLE_VALUE, STATIC, "", 208, 87, 35, 8, VISIBLE)                            \
  X(IDC_WM_POSITION_GROUP, GROUP, "Position", 7, 104, 236, 56, VISIBLE)                 \
  X(IDC_WM_POS_TOP_LEFT, RADIO, "Left Top", 15, 116, 72, 10, VISIBLE)                   \
  X(IDC_WM_POS_TOP, RADIO, "Top", 90, 116, 72, 10, VISIBLE)                             \
  X(IDC_WM_POS_TOP_RIGHT, RADIO, "Right Top", 165, 116, 72, 10, VISIBLE)                \
  X(IDC_WM_POS_LEFT, RADIO, "Left", 15, 130, 72, 10, VISIBLE)                           \
  X(IDC_WM_POS_CENTRE, RADIO, "Middle", 90, 130, 72, 10, VISIBLE)                       \
  X(IDC_WM_POS_RIGHT, RADIO, "Right", 165, 130, 72, 10, VISIBLE)                        \
  X(IDC_WM_POS_BOTTOM_LEFT, RADIO, "Left Bottom", 15, 144, 72, 10, VISIBLE)             \
  X(IDC_WM_POS_BOTTOM, RADIO, "Bottom", 90, 144, 72, 10, VISIBLE)                       \
  X(IDC_WM_POS_BOTTOM_RIGHT, RADIO, "Right Bottom", 165, 144, 72, 10, VISIBLE)          \
  X(IDC_WM_TEXT_LABEL, STATIC, "Content", 10, 171, 52, 8, VISIBLE)                      \
  X(IDC_WM_TEXT, EDIT, "", 64, 169, 179, 14, VISIBLE)                                   \
  X(IDC_WM_TIME_STAMP, CHECK, "Time Stamp", 64, 188, 120, 10, VISIBLE)                  \
  X(IDOK, DEFBUTTON, "OK", 136, 204, 50, 14, VISIBLE)                                   \
  X(IDCANCEL, BUTTON, "Cancel", 193, 204, 50, 14, VISIBLE)

#define AUTO_CAPTURE_CONTROLS(X)                                                        \
  X(IDC_AC_PROGRESS, PROGRESS, "", 10, 10, 180, 12, VISIBLE)                            \
  X(IDC_AC_COUNTDOWN, STATIC, "", 10, 28, 85, 8, VISIBLE)                               \
  X(IDC_AC_SHOT_COUNT, STATIC, "", 105, 28, 85, 8, VISIBLE)                             \
  X(IDC_AC_STATUS, STATIC, "", 10, 40, 180, 8, HIDDEN)                                  \
  X(IDC_AC_START, BUTTON, "Start", 10, 52, 50, 14, HIDDEN)                              \
  X(IDC_AC_END, DEFBUTTON, "End", 75, 52, 50, 14, VISIBLE)                              \
  X(IDC_AC_STOP, BUTTON, "Stop", 140, 52, 50, 14, HIDDEN)
