#include "plugin/plugin_info.h"

namespace {

struct entry_texts {
  const char* english;
  const char* japanese;
  const char* entry_name;
};

const entry_texts entries[] = {
    // 大きいスコアを表示(&V)
    {"Score View (&Large)",
     "\x91\xe5\x82\xab\x82\xa2\x83\x58\x83\x52\x83\x41\x82\xf0\x95\x5c\x8e\xa6" "(&V)", "dsv_view"},
    // 小さいスコアを表示(&S)
    {"Score View (&Small)",
     "\x8f\xac\x82\xb3\x82\xa2\x83\x58\x83\x52\x83\x41\x82\xf0\x95\x5c\x8e\xa6" "(&S)", "dsv_socre"},
    // 結果を表示(&R)
    {"&Result View", "\x8c\x8b\x89\xca\x82\xf0\x95\x5c\x8e\xa6" "(&R)", "dsv_result"},
};

}  // namespace

int plugin_entry_at(uint32_t index, bool japanese, plugin_entry* entry) {
  if (index > 2) return 0;
  entry->menu_text = japanese ? entries[index].japanese : entries[index].english;
  entry->entry_name = entries[index].entry_name;
  return 1;
}
