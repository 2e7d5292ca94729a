// What the large view's options (show_checkout, show_average, show_first_mark,
// show_last_visit, show_turn) add to the board, without a window: what each
// shows for the match as it stands, and where it goes, in text mode in bands
// beside the boxes of board_layout.h, in bitmap mode inside each player's
// rectangle of the skin. With every option off all of it is empty, and the
// painter draws nothing more than before.
#pragma once

#include <cstdint>

#include "match/match_tracker.h"
#include "settings/settings_table.h"
#include "views/board/board_layout.h"

struct match_state;

constexpr int board_extra_text_size = 16;  // "-6442450944.00" and the NUL

// What the options show. Only 32-bit fields and whole byte arrays (no padding):
// it is compared whole as part of the bitmap mode's picture key.
struct board_extras_content {
  char route[2][board_extra_text_size];    // the checkout route shown for the player; "" for none
  char average[2][board_extra_text_size];  // the three-dart average, "0.00" with no darts; "" when off
  int32_t first_mark[2];                   // 1 beside the player who threw first in the leg
  char visit[2][board_extra_text_size];    // the last visit, "-" before the first; "" when off
                                           // (drawn in the labels' colour, apart from the route)
  int32_t route_waiting[2];                // 1 where the route is the waiting player's
  int32_t turn[2];                         // 1 beside the player to throw
};

// `first_player` and `current_player` are those of the current leg entry, -1
// when the record has none; values other than 0 and 1 name nobody.
// `last_visit` holds each player's last visit (match_visit_unknown for none).
board_extras_content board_extras_content_of(const view_window_extras& options, const match_state* match,
                                             int32_t first_player, int32_t current_player,
                                             const int32_t (&last_visit)[2]);

// True when any option that draws on the board is on: only then are fonts and
// brushes made for them.
bool board_extras_any(const view_window_extras& options);

// What text mode needs to know of the score font, as drawn in this window, to
// place the options' text in the room the score leaves: in pixels of the
// score font (`em`, its character height), and the widths of the widest texts
// the options show, drawn in the same font.
struct board_score_font {
  int32_t em;             // character height; 0 when unknown (no option text is then drawn)
  int32_t cell;           // the text cell's height (tmHeight)
  int32_t ascent;         // from the cell's top to the baseline
  int32_t ink_top;        // from the cell's top to the top of the digits
  int32_t route_width;    // "T20 T20 BULL"
  int32_t visit_width;    // "180"
  int32_t average_width;  // "100.00"
};

// Text mode. Every option's text is at least a third of the score digits'
// height where the room between the boxes allows it (at every window shape
// from 2:1 to 1:1), and never covers the score, the legs, the sets or a name.
struct board_extras_text_layout {
  // Under each score's digits, down to just above the legs box, from the score
  // box's outer edge to the middle of the board: the last visit at the outer
  // end, the route in the rest. Empty while both options are off.
  board_box lower_band[2];
  board_box visit[2];
  board_box route[2];
  // Between each name box and the top of that player's score digits, as wide
  // as the score box: the average. Empty while it is off.
  board_box average[2];
  board_box mark[2];  // the circle's square, in the margin beside each name box (left of the
                      // left player's, right of the right player's)
  board_box turn[2];  // the frame around each name box, outside it; `turn_width` thick
  int32_t turn_width;
  int32_t text_em;      // character height of the options' text; 0 draws none
  int32_t text_raise;   // from a band's middle up to where the text's cell starts:
                        // the text's digits then sit in the middle of the band
};
board_extras_text_layout board_extras_layout_text(const view_window_extras& options, const board_text_layout& boxes,
                                                  int32_t width, const board_score_font& score);

// Bitmap mode, inside one player's rectangle (background pixels): with
// show_turn a frame along its edge (a twelfth of its smaller side thick, at
// least 1), and inside it the circle in a column at the left (a quarter of the
// width at most, as wide as the rectangle is tall at most), then the average,
// the route and the last visit in the rest, one above the other, or side by
// side where the rest is at least four times as wide as it is tall for each.
// Options that are off take no room; an empty rectangle gives all boxes empty.
struct board_extras_skin_layout {
  board_box route;
  board_box average;
  board_box mark;
  board_box visit;
  board_box turn;  // the rectangle whose edge the frame follows
  int32_t turn_width;
  int32_t route_height;
  int32_t average_height;
  int32_t visit_height;
};
board_extras_skin_layout board_extras_layout_skin(const view_window_extras& options, int player);

// The bitmap mode's key of what the options draw: content, rectangles and colours.
struct board_extras_key {
  board_extras_content content;
  int32_t flags;  // the switches, one bit each (show_checkout 2 a bit of its own)
  int32_t rects[2][4];
  uint32_t mark_colour;
  uint32_t route_colour;
  uint32_t turn_colour;
  uint32_t waiting_colour;
  uint32_t name_colour;
  uint32_t visit_colour;
};
board_extras_key board_extras_key_of(const view_window_extras& options, const view_window_settings& settings,
                                     const board_extras_content& content);
