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
#define IDA_MAIN 9  // the main window's keyboard accelerators

// Dialog templates.
#define IDD_BASE_PARTS 11
#define IDD_SETTINGS 12
#define IDD_VERSION 13
#define IDD_DXF_FILES 14
#define IDD_PROHIBITED_WORDS 15
#define IDD_ROW_EDITOR 16
#define IDD_RECOGNITION_REPORT 17
#define IDD_SERIES 3001
#define IDD_COMPARE 38003
#define IDD_TUNE 38007
#define IDD_OPTIONS 38005  // opened by the command of the same number

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
#define IDM_OUTPUT_WORKBOOK 38004
// Main menu: Conversion.
#define IDM_CONVERT_ALL 37838
#define IDM_REMOVE_DUPLICATES 37849
#define IDM_COMPLETE_NAMES 37851
#define IDM_MERGE_QUANTITIES 37829
#define IDM_SORT_PARTS 37837
// Main menu: Edit.
#define IDM_UNDO 38006
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
// Main menu: Tools (commands from 38001 on).
#define IDM_RECOGNITION_REPORT 38001
#define IDM_DRAWING_PREVIEW 38002
#define IDM_COMPARE_LISTS 38003
#define IDM_TUNE_WINDOW 38007
#define IDM_OPTIONS 38005
// Main menu: Help.
#define IDM_DOCUMENT 37844
#define IDM_MANUAL 37836
#define IDM_SERIES 30001
#define IDM_VERSION 37830
// Main window: keyboard commands without a menu item.
#define IDK_EDIT_CELL 38101
#define IDK_SELECT_ALL 38102

// Recognition window tuning (template 38007): what was found, then the figures of the current
// values and of the proposal side by side.
#define IDC_TUNE_FOUND 3870
#define IDC_TUNE_CURRENT_X 3871
#define IDC_TUNE_CURRENT_Y 3872
#define IDC_TUNE_CURRENT_FIELDS 3873
#define IDC_TUNE_CURRENT_SHARED 3874
#define IDC_TUNE_CURRENT_CUT 3875
#define IDC_TUNE_CURRENT_EMPTY 3876
#define IDC_TUNE_PROPOSED_X 3881
#define IDC_TUNE_PROPOSED_Y 3882
#define IDC_TUNE_PROPOSED_FIELDS 3883
#define IDC_TUNE_PROPOSED_SHARED 3884
#define IDC_TUNE_PROPOSED_CUT 3885
#define IDC_TUNE_PROPOSED_EMPTY 3886
#define IDC_TUNE_SHOW_CURRENT 3877
#define IDC_TUNE_SHOW_PROPOSED 3887
#define IDC_TUNE_APPLY 3890

// Drawing preview window: the button bar and the canvas.
#define IDC_PREVIEW_FIT 3821
#define IDC_PREVIEW_TUNE 3822
#define IDC_PREVIEW_CANVAS 3829

// Settings dialog (template 12). The ids are fixed as given: the file rows, the column rows and
// the combos do not run in screen order.
// File rows 1 to 5: the pair radios, the base parts list path edits and their "DIR" buttons, the
// prohibited words path edits and their "DIR" buttons.
#define IDC_SET_PAIR1 201
#define IDC_SET_PAIR2 202
#define IDC_SET_PAIR3 203
#define IDC_SET_PAIR4 204
#define IDC_SET_PAIR5 205
#define IDC_SET_PART_FILE1 404
#define IDC_SET_PART_FILE2 403
#define IDC_SET_PART_FILE3 405
#define IDC_SET_PART_FILE4 406
#define IDC_SET_PART_FILE5 407
#define IDC_SET_PART_DIR1 104
#define IDC_SET_PART_DIR2 105
#define IDC_SET_PART_DIR3 106
#define IDC_SET_PART_DIR4 107
#define IDC_SET_PART_DIR5 111
#define IDC_SET_KINSI_FILE1 438
#define IDC_SET_KINSI_FILE2 439
#define IDC_SET_KINSI_FILE3 440
#define IDC_SET_KINSI_FILE4 441
#define IDC_SET_KINSI_FILE5 442
#define IDC_SET_KINSI_DIR1 112
#define IDC_SET_KINSI_DIR2 113
#define IDC_SET_KINSI_DIR3 114
#define IDC_SET_KINSI_DIR4 115
#define IDC_SET_KINSI_DIR5 116
// Column rows 0 to 7: title edits, order combos, width edits, fixed text edits.
#define IDC_SET_COMMENT0 409
#define IDC_SET_COMMENT1 410
#define IDC_SET_COMMENT2 411
#define IDC_SET_COMMENT3 412
#define IDC_SET_COMMENT4 413
#define IDC_SET_COMMENT5 401
#define IDC_SET_COMMENT6 402
#define IDC_SET_COMMENT7 414
#define IDC_SET_JYUNBAN0 301
#define IDC_SET_JYUNBAN1 302
#define IDC_SET_JYUNBAN2 303
#define IDC_SET_JYUNBAN3 304
#define IDC_SET_JYUNBAN4 305
#define IDC_SET_JYUNBAN5 306
#define IDC_SET_JYUNBAN6 307
#define IDC_SET_JYUNBAN7 308
#define IDC_SET_HABA0 417
#define IDC_SET_HABA1 418
#define IDC_SET_HABA2 419
#define IDC_SET_HABA3 420
#define IDC_SET_HABA4 421
#define IDC_SET_HABA5 422
#define IDC_SET_HABA6 423
#define IDC_SET_HABA7 424
#define IDC_SET_KOTEI0 427
#define IDC_SET_KOTEI1 428
#define IDC_SET_KOTEI2 429
#define IDC_SET_KOTEI3 430
#define IDC_SET_KOTEI4 431
#define IDC_SET_KOTEI5 432
#define IDC_SET_KOTEI6 433
#define IDC_SET_KOTEI7 434
// The list-view column of each part field.
#define IDC_SET_TA_NO 311
#define IDC_SET_A_NO 312
#define IDC_SET_PA_NO 313
#define IDC_SET_MA_NO 314
#define IDC_SET_SP_NO 315
#define IDC_SET_TY_NO 316
#define IDC_SET_SU_NO 317
#define IDC_SET_SI_NO 309
// Output, tolerances, buttons.
#define IDC_SET_SAVE_MODE 310
#define IDC_SET_SAVE_FORMAT 109
#define IDC_SET_PT_X 436
#define IDC_SET_PT_Y 437
#define IDC_SET_RELOAD 117
#define IDC_SET_OK 108

// Row editor (template 16): the edits of columns 0 to 6, the supply-class combo box of column 7.
#define IDC_ROW_TAG 401
#define IDC_ROW_DRAWING 402
#define IDC_ROW_PART_NAME 403
#define IDC_ROW_MAKER 404
#define IDC_ROW_SPEC 405
#define IDC_ROW_TYPE 406
#define IDC_ROW_QUANTITY 407
#define IDC_ROW_SUPPLY 301
#define IDC_ROW_OK 101

// DXF file dialog (template 14): the file list, the toolbar and its buttons.
#define IDC_DXF_LIST 902
#define IDC_DXF_TOOLBAR 903
#define IDT_DXF_ADD_FOLDER 920
#define IDT_DXF_RUN 921
#define IDT_DXF_ADD_FILE 922
#define IDT_DXF_DELETE_SELECTED 923
#define IDT_DXF_DELETE_ALL 924
#define IDT_DXF_CANCEL 925

// Base parts list dialog (template 11).
#define IDC_BASE_LIST 902
#define IDC_BASE_PART_NAME 401
#define IDC_BASE_TAG 402
#define IDC_BASE_TYPE 403
#define IDC_BASE_MAKER 408
#define IDC_BASE_SUPPLIED 206
#define IDC_BASE_NOT_PURCHASED 207
#define IDC_BASE_PURCHASED 208
#define IDC_BASE_ACC1_NAME 415
#define IDC_BASE_ACC1_TYPE 416
#define IDC_BASE_ACC2_NAME 425
#define IDC_BASE_ACC2_TYPE 426
#define IDC_BASE_ACC3_NAME 435
#define IDC_BASE_ACC3_TYPE 411
#define IDC_BASE_ACC4_NAME 410
#define IDC_BASE_ACC4_TYPE 412
#define IDC_BASE_READ 101
#define IDC_BASE_REWRITE 102
#define IDC_BASE_ADD 103
#define IDC_BASE_DELETE 105
#define IDC_BASE_INSERT 110

// Prohibited words dialog (template 15).
#define IDC_WORDS_LIST 902
#define IDC_WORDS_EDIT 401
#define IDC_WORDS_READ 101
#define IDC_WORDS_REWRITE 102
#define IDC_WORDS_ADD 103
#define IDC_WORDS_DELETE 105

// Comparison window (template 38003): the list of differences, a summary, the CSV button.
#define IDC_COMPARE_LIST 902
#define IDC_COMPARE_SUMMARY 401
#define IDC_COMPARE_SAVE 101

// Recognition report window (template 17).
#define IDC_REPORT_SUMMARY 960
#define IDC_REPORT_LIST 961
#define IDC_REPORT_SAVE 962
#define IDC_REPORT_CLOSE 963
// Options dialog (template 38005): the output group's combo boxes.
#define IDC_OPT_OUTPUT_FORMAT 501
#define IDC_OPT_TAG_LIST 502
#define IDC_OPT_ENCODING 503
