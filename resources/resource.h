// Resource and control identifiers. Shared by the .rc (windres runs the C
// preprocessor over it) and the C++ code, so it holds #defines only.
#pragma once

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_CAPTURE_WINDOW 102
#define IDD_WATERMARK 130
#define IDD_MERGE_OPTIONS 131
#define IDD_AUTO_CAPTURE 135
#define IDD_MAIN_PREVIEW_HOST 136
#define IDD_SECONDARY_PREVIEW_HOST 137
#define IDD_MERGE_PREVIEW 138
#define IDD_RECEIVE_DS_MESSAGES 140

// Standard command ids, for code that does not see the Windows headers.
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif

// Icons and strings.
#define IDR_MAINFRAME 128
#define IDS_ABOUTBOX 101

// The system-menu command of the About item.
#define IDM_ABOUTBOX 0x0010

// Capture window (dialog 102), in template order.
#define IDC_COLOR_LABEL 1076
#define IDC_COLOR_MODE 1004
#define IDC_CROP_LABEL 1083
#define IDC_CROP_MODE 1005
#define IDC_FILE_FORMAT_LABEL 1079
#define IDC_FILE_FORMAT 1006
#define IDC_MERGE 1007
#define IDC_MERGE_HORIZONTAL 1008
#define IDC_MERGE_VERTICAL 1009
#define IDC_DEVICE_SETTINGS 1012
#define IDC_IMAGE_SETTINGS 1013
#define IDC_SECONDARY_CAMERA 1014
#define IDC_SECONDARY_DEVICE_LABEL 1092
#define IDC_SECONDARY_DEVICE 1015
#define IDC_MERGE_SETTINGS 1017
#define IDC_ZOOM_IN 1018
#define IDC_ZOOM_OUT 1023
#define IDC_ORIGINAL_SIZE 1024
#define IDC_BEST_FIT 1025
#define IDC_ROTATE_LABEL 1081
#define IDC_ROTATE 1026
#define IDC_EXIT 1030
#define IDC_DEVICE_LABEL 1077
#define IDC_DEVICE 1019
#define IDC_MEDIA_LABEL 1078
#define IDC_MEDIA_TYPE 1020
#define IDC_FRAME_SIZE_LABEL 1080
#define IDC_FRAME_SIZE 1021
#define IDC_UNIT_LABEL 1084
#define IDC_UNUSED_BUTTON 1027
#define IDC_AUTO_CAPTURE 1028
#define IDC_THUMBNAILS 1029
#define IDC_SECONDARY_MERGE 1073
#define IDC_SAVE 1075
#define IDC_SECONDARY_SIZE_LABEL 1093
#define IDC_SECONDARY_FRAME_SIZE 1016
#define IDC_MERGE_GROUP 1103
#define IDC_IMAGE_GROUP 1105
#define IDC_SECONDARY_GROUP 1106
#define IDC_AUTO_CAPTURE_MODE 1095
#define IDC_AUTO_CAPTURE_LABEL 1097
#define IDC_UNIT 1098
#define IDC_LANGUAGE 1099
#define IDC_LANGUAGE_LABEL 1082
#define IDC_HAND_CROP 1101
#define IDC_SECONDARY_CAPTURE 1102
#define IDC_AUTO_FOCUS 1107
#define IDC_PREVIEW_AREA 1031
#define IDC_WATERMARK_GROUP 1104
#define IDC_WATERMARK 1010
#define IDC_WATERMARK_SETTINGS 1011
#define IDC_CAPTURE 1109
#define IDC_FILL_BORDER 1108

// Watermark settings (dialog 130). The colour label shares its id with the
// capture window's colour-mode label.
#define IDC_WM_FONT_LABEL 1087
#define IDC_WM_FONT 1039
#define IDC_WM_SIZE_LABEL 1088
#define IDC_WM_SIZE 1040
#define IDC_WM_COLOR_LABEL 1076
#define IDC_WM_COLOR 1041
#define IDC_WM_BOLD 1033
#define IDC_WM_ITALIC 1034
#define IDC_WM_UNDERLINE 1035
#define IDC_WM_TRANSPARENCY_LABEL 1089
#define IDC_WM_TRANSPARENCY 1042
#define IDC_WM_TRANSPARENCY_VALUE 1043
#define IDC_WM_ANGLE_LABEL 1091
#define IDC_WM_ANGLE 1044
#define IDC_WM_ANGLE_VALUE 1045
#define IDC_WM_POSITION_GROUP 1096
#define IDC_WM_POS_TOP_LEFT 1046
#define IDC_WM_POS_TOP 1047
#define IDC_WM_POS_TOP_RIGHT 1049
#define IDC_WM_POS_LEFT 1048
#define IDC_WM_POS_CENTRE 1050
#define IDC_WM_POS_RIGHT 1051
#define IDC_WM_POS_BOTTOM_LEFT 1053
#define IDC_WM_POS_BOTTOM 1052
#define IDC_WM_POS_BOTTOM_RIGHT 1054
#define IDC_WM_TEXT_LABEL 1090
#define IDC_WM_TEXT 1037
#define IDC_WM_TIME_STAMP 1036

// Merge preview (dialog 138).
#define IDC_MERGE_FIRST_PANE 1071
#define IDC_MERGE_SECOND_PANE 1072

// Secondary-camera merge options (dialog 131). The outside radios sit
// around a framed square that stands for the main picture; their order is
// the MergeType they choose, 1 to 8.
#define IDC_OUTSIDE_MODE 1068
#define IDC_INSIDE_MODE 1069
#define IDC_MAIN_PICTURE_FRAME 1058
#define IDC_OUTSIDE_LEFT_UPPER 1059
#define IDC_OUTSIDE_TOP_LEFT 1060
#define IDC_OUTSIDE_TOP_RIGHT 1061
#define IDC_OUTSIDE_RIGHT_UPPER 1062
#define IDC_OUTSIDE_RIGHT_LOWER 1063
#define IDC_OUTSIDE_BOTTOM_RIGHT 1064
#define IDC_OUTSIDE_BOTTOM_LEFT 1065
#define IDC_OUTSIDE_LEFT_LOWER 1066
#define IDC_INSIDE_CENTRE 1050
#define IDC_INSIDE_TOP_LEFT 1053
#define IDC_INSIDE_TOP_RIGHT 1049
#define IDC_INSIDE_BOTTOM_RIGHT 1057
#define IDC_INSIDE_BOTTOM_LEFT 1056

// Auto capture (dialog 135). Start, Stop and the label 1086 stay hidden;
// End ends the run.
#define IDC_AC_PROGRESS 1047
#define IDC_AC_START 1048
#define IDC_AC_STOP 1049
#define IDC_AC_END 1050
#define IDC_AC_SHOT_COUNT 1070
#define IDC_AC_COUNTDOWN 1085
#define IDC_AC_STATUS 1086

// About box (dialog 100).
#define IDC_ABOUT_ICON 1200
#define IDC_ABOUT_NAME 1201
#define IDC_ABOUT_COPYRIGHT 1202
