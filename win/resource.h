// Resource and control ids. Hand-written, in blocks per window and dialog; the GUI tests use
// these ids as the program's interface.
#pragma once

// Icons, menus, bitmaps.
#define IDI_KORVANE 1
#define IDB_VERSION 1
#define IDB_TOOLBAR 2
#define IDB_DXF_TOOLBAR 3
#define IDB_SERIES_FIGURE 3003
#define IDB_SERIES_TITLE 3004
#define IDM_MAIN 9

// Dialog templates.
#define IDD_BASE_PARTS 11
#define IDD_SETTINGS 12
#define IDD_VERSION 13
#define IDD_DXF_FILES 14
#define IDD_PROHIBITED_WORDS 15
#define IDD_ROW_EDITOR 16
#define IDD_SERIES 3001

// Version box.
#define IDC_VERSION_CLOSE 101

// Series window.
#define IDC_SERIES_CLOSE 3002
#define IDT_SERIES_FRAME_TIMER 1

// Main window: controls.
#define IDC_PARTS_LIST 900
#define IDC_TOOLBAR 901
#define IDC_CELL_EDIT 951
#define IDC_CELL_COMBO 952

// Main window: toolbar buttons.
#define IDT_READ_FOLDER_CONVERT 910
#define IDT_READ_FOLDER 911
#define IDT_CONVERT_ALL 912
#define IDT_MODIFY_ROW 913
#define IDT_DELETE_ROW 914
#define IDT_ADD_ROW 915
#define IDT_OUTPUT_ONE 916
#define IDT_OUTPUT_THREE 917
#define IDT_HELP 918
#define IDT_EXIT 919

// Main window: timer of the supply-class combo box.
#define IDT_COMBO_CLOSE_TIMER 1

// Main menu: File.
#define IDM_READ_DXF_FOLDER 37846
#define IDM_READ_DXF_FILE 37826
#define IDM_READ_FOLDER_CONVERT 37847
#define IDM_READ_FILE_CONVERT 37827
#define IDM_OUTPUT_ONE 37843
#define IDM_OUTPUT_ALL 37839
#define IDM_OUTPUT_SUPPLIED 37841
#define IDM_OUTPUT_NOT_PURCHASED 37840
#define IDM_OUTPUT_PURCHASED 37842
#define IDM_EXIT 37828
// Main menu: Conversion.
#define IDM_CONVERT_ALL 37838
#define IDM_REMOVE_DUPLICATES 37849
#define IDM_COMPLETE_NAMES 37851
#define IDM_MERGE_QUANTITIES 37829
#define IDM_SORT_PARTS 37837
// Main menu: Edit.
#define IDM_MODIFY_ROW 37853
#define IDM_DELETE_ROW 37850
#define IDM_ADD_ROW 37852
#define IDM_DELETE_ALL 37855
// Main menu: Settings.
#define IDM_BASE_PARTS 37832
#define IDM_BASE_PARTS_OPEN 37833
#define IDM_BASE_PARTS_SAVE 37834
#define IDM_WORDS 37848
#define IDM_WORDS_OPEN 37835
#define IDM_WORDS_SAVE 37854
#define IDM_SETTINGS 37831
// Main menu: Help.
#define IDM_DOCUMENT 37844
#define IDM_MANUAL 37836
#define IDM_SERIES 30001
#define IDM_VERSION 37830
