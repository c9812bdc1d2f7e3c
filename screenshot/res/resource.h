// Resource identifiers of the capture engine (Snapshot.rc). Plain #defines only: this header is
// read by the resource compiler as well as by the C++ sources.
#ifndef SNAPSHOT_RES_RESOURCE_H
#define SNAPSHOT_RES_RESOURCE_H

// Cursors.
#define IDC_SNAP_CROSS 103  // the capture window's ordinary cursor
#define IDC_SNAP_DRAW 175   // over the selection, a drawing tool waiting to start

// Context menu.
#define IDR_CONTEXT_MENU 109

// Dialog templates (pixel layouts).
#define IDD_COLOR_BAR 301
#define IDD_TEXT_BAR 302
#define IDD_BACKDROP 303

// Strings.
#define IDS_MAGNIFIER_RGB 104   // "RGB:(%d,%d,%d)"
#define IDS_MAGNIFIER_SIZE 106  // "%d × %d"
#define IDS_TIP_RECTANGLE 150
#define IDS_TIP_ELLIPSE 151
#define IDS_TIP_ARROW 152
#define IDS_TIP_BRUSH 153
#define IDS_TIP_TEXT 154
#define IDS_TIP_SELECT 155
#define IDS_TIP_UNDO 156
#define IDS_TIP_REDO 157
#define IDS_TIP_COPY 158
#define IDS_TIP_SAVE 159
#define IDS_TIP_EXIT 160
#define IDS_TIP_FONT_SIZE 165
#define IDS_TIP_BOLD 167
#define IDS_TIP_ITALIC 168
#define IDS_SAVE_NAME 170           // suggested file name
#define IDS_SAVE_NAME_NUMBERED 171  // suggested file name with a number, "%u"
#define IDS_SAVE_OVERWRITE 172      // overwrite question, "%s" is the path
#define IDS_TIP_MOSAIC 173

// Bitmaps of the shared image set.
#define IDB_LOGO 120               // 190 x 67
#define IDB_SHADOW_SQUARE 121      // 20 x 20
#define IDB_TOOLBAR_BG 122         // 34 x 32, nine-grid margins 3
#define IDB_TOOLBAR_HIGHLIGHT 123  // 2 frames 24 x 26: hover, pressed
#define IDB_TOOL_RECTANGLE 124     // 2 frames 24 x 26: enabled, greyed
#define IDB_TOOL_ELLIPSE 125
#define IDB_TOOL_ARROW 126
#define IDB_TOOL_BRUSH 105
#define IDB_TOOL_TEXT 127
#define IDB_TOOL_SELECT 128  // 2 frames 25 x 20: enabled, greyed
#define IDB_TOOL_UNDO 129
#define IDB_TOOL_REDO 130  // 2 frames 25 x 20: enabled, greyed
#define IDB_MENU_DELETE 131
#define IDB_TOOL_FINISH 132  // 2 frames 52 x 26: enabled, greyed
#define IDB_TOOL_SAVE 133
#define IDB_TOOL_EXIT 134
#define IDB_MENU_CHECK 135
#define IDB_TOOL_MOSAIC 174
#define IDB_FINISH_HIGHLIGHT 1068  // 2 frames 52 x 26: hover, pressed
#define IDB_MENU_BG 1080           // 44 x 136, nine-grid margins 5, 8, 5, 8
#define IDB_MENU_HIGHLIGHT 1081    // 2 frames 26 x 28: hover, checked
#define IDB_MENU_SEPARATOR 1082    // 51 x 2
#define IDB_VERTICAL_LINE 1083     // 2 x 30
#define IDB_DROP_BUTTON 1043       // 3 frames 35 x 22: normal, hot, pressed
#define IDB_LIST_ROW 1045          // 4 frames 21 x 20: normal, hot, pressed, disabled
#define IDB_LIST_BG 1046           // 16 x 16, nine-grid margins 3
#define IDB_SCROLL_UP 1039         // 4 frames 12 x 12: normal, hot, pressed, disabled
#define IDB_SCROLL_THUMB 1040      // 4 frames 12 x 9, nine-grid margins 3
#define IDB_SCROLL_DOWN 1041       // 4 frames 12 x 12
#define IDB_SCROLL_TRACK 1042      // 4 frames 12 x 5

// Bitmaps of the colour and pen bar.
#define IDB_COLORBAR_BG 1030       // 34 x 32, nine-grid margins 3
#define IDB_PEN_WIDTH_FRAMES 1031  // 2 frames 22 x 22: hover, pressed
#define IDB_PEN_DOT_SMALL 1032     // 21 x 22
#define IDB_PEN_DOT_MEDIUM 1033    // 21 x 22
#define IDB_PEN_DOT_LARGE 1034     // 21 x 22
#define IDB_DASH_STYLES 1035       // 4 cells 38 x 18, top down: solid, dash, dot, dash-dot

// Bitmaps of the text bar.
#define IDB_TEXTBAR_BG 1048      // 34 x 32, nine-grid margins 3
#define IDB_TEXTBAR_TOGGLE 1049  // 2 frames 22 x 22: hot, pressed or on
#define IDB_TEXTBAR_FONT 1050    // 24 x 16 glyph of the font button
#define IDB_TEXTBAR_BOLD 1051    // 16 x 16
#define IDB_TEXTBAR_ITALIC 1052  // 16 x 16

// Tooltip background.
#define IDB_TOOLTIP_BG 1047  // 35 x 26, nine-grid margins 5, 5, 8, 8

// Frame of the in-place text box.
#define IDB_TEXTBOX_CORNER 1061  // 11 x 11
#define IDB_TEXTBOX_EDGE 1062    // 9 x 9
#define IDB_TEXTBOX_GRIP 1063    // 11 x 28
#define IDB_TEXTBOX_HTILE 1064   // 13 x 3
#define IDB_TEXTBOX_VTILE 1065   // 3 x 13
#define IDB_ARROW_END_KNOB 1066  // 2 frames 13 x 13: knob, active knob

// Controls of the bar templates (placeholders that give the buttons' rectangles).
#define IDC_SWATCH_FIRST 1001  // swatches 1001..1016 = palette index 0..15
#define IDC_SWATCH_LAST 1016
#define IDC_CURRENT_COLOR 1017
#define IDC_PEN_WIDTH_0 1019
#define IDC_PEN_WIDTH_1 1020
#define IDC_PEN_WIDTH_2 1021
#define IDC_BOLD 1023
#define IDC_ITALIC 1024
#define IDC_FONT_SIZE 1025
#define IDC_FONT_FACE 1027

// Commands of the context menu (menu 109).
#define ID_MENU_RECTANGLE 40001
#define ID_MENU_ELLIPSE 40002
#define ID_MENU_ARROW 40003
#define ID_MENU_BRUSH 40004
#define ID_MENU_TEXT 40005
#define ID_MENU_DELETE 40007
#define ID_MENU_UNDO 40008
#define ID_MENU_REDO 40009  // no item in the menu; its state is still set
#define ID_MENU_FINISH 40010
#define ID_MENU_SAVE 40011
#define ID_MENU_RESELECT 40012
#define ID_MENU_TOOLBAR 40014
#define ID_MENU_EXIT 40015
#define ID_MENU_MOSAIC 40017

// Commands of the main tool bar (menu command + 1000).
#define ID_TOOLBAR_RECTANGLE 41001
#define ID_TOOLBAR_ELLIPSE 41002
#define ID_TOOLBAR_ARROW 41003
#define ID_TOOLBAR_BRUSH 41004
#define ID_TOOLBAR_TEXT 41005
#define ID_TOOLBAR_SELECT 41006
#define ID_TOOLBAR_UNDO 41008
#define ID_TOOLBAR_REDO 41009
#define ID_TOOLBAR_COPY 41010
#define ID_TOOLBAR_SAVE 41011
#define ID_TOOLBAR_EXIT 41015
#define ID_TOOLBAR_MOSAIC 41017

#endif  // SNAPSHOT_RES_RESOURCE_H
