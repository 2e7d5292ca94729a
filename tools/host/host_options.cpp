#include "host_options.h"

#include <cerrno>
#include <cstdlib>

#include "match/checkout_routes.h"

namespace {

// A whole decimal integer in [low, high]; false for anything else.
bool parse_int(const std::string& text, long long low, long long high, long long& value) {
  if (text.empty()) return false;
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(begin, &end, 10);
  if (errno != 0 || end == begin || *end != 0) return false;
  if (v < low || v > high) return false;
  value = v;
  return true;
}

}  // namespace

std::vector<std::string> host_open_names(const std::string& value) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t comma = value.find(',', start);
    if (comma == std::string::npos) comma = value.size();
    const std::string item = value.substr(start, comma - start);
    if (item == "all") {
      names.insert(names.end(), {"dsv_view", "dsv_socre", "dsv_result"});
    } else if (item == "large") {
      names.push_back("dsv_view");
    } else if (item == "small") {
      names.push_back("dsv_socre");
    } else if (item == "result") {
      names.push_back("dsv_result");
    } else if (!item.empty()) {
      names.push_back(item);
    }
    start = comma + 1;
  }
  return names;
}

bool parse_host_options(const std::vector<std::string>& args, host_options& options, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = "option " + arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    auto number = [&](long long low, long long high, long long& out) {
      std::string text;
      if (!value(text)) return false;
      if (!parse_int(text, low, high, out)) {
        error = "option " + arg + ": '" + text + "' is not a whole number from " + std::to_string(low) + " to " +
                std::to_string(high);
        return false;
      }
      return true;
    };
    // A list of views for --open and --shot-menu, added to `out`.
    auto views = [&](std::vector<std::string>& out) {
      std::string text;
      if (!value(text)) return false;
      const std::vector<std::string> names = host_open_names(text);
      if (names.empty()) {
        error = "option " + arg + " needs a view: all, large, small, result or an entry name";
        return false;
      }
      out.insert(out.end(), names.begin(), names.end());
      return true;
    };
    long long n = 0;
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      options.help = true;
    } else if (arg == "--plugin") {
      if (!value(options.plugin_path)) return false;
    } else if (arg == "--open") {
      if (!views(options.open)) return false;
    } else if (arg == "--visits") {
      if (!number(0, 1000000, n)) return false;
      options.visits = static_cast<int>(n);
    } else if (arg == "--seed") {
      if (!number(0, 4294967295LL, n)) return false;
      options.seed = static_cast<uint32_t>(n);
      options.seed_given = true;
    } else if (arg == "--delay") {
      if (!number(0, 60000, n)) return false;
      options.delay_ms = static_cast<int>(n);
    } else if (arg == "--notify") {
      std::string text;
      if (!value(text)) return false;
      if (text != "dart" && text != "visit") {
        error = "option --notify: '" + text + "' is neither dart nor visit";
        return false;
      }
      options.notify_per_dart = text == "dart";
    } else if (arg == "--undo-every") {
      if (!number(1, 1000000, n)) return false;
      options.undo_every = static_cast<int>(n);
    } else if (arg == "--screenshot") {
      if (!value(options.screenshot_dir)) return false;
    } else if (arg == "--list") {
      options.list = true;
    } else if (arg == "--exit") {
      options.exit_at_end = true;
    } else if (arg == "--average-mode") {
      if (!number(-2147483648LL, 2147483647LL, n)) return false;
      options.average_mode = static_cast<int32_t>(n);
    } else if (arg == "--sets") {
      if (!number(1, 9, n)) return false;
      options.sets_to_win = static_cast<int>(n);
    } else if (arg == "--legs") {
      if (!number(1, 9, n)) return false;
      options.legs_to_win = static_cast<int>(n);
    } else if (arg == "--names") {
      std::string text;
      if (!value(text)) return false;
      const std::size_t comma = text.find(',');
      const std::string first = text.substr(0, comma);
      const std::string second = comma == std::string::npos ? std::string() : text.substr(comma + 1);
      if (first.empty() || second.empty() || second.find(',') != std::string::npos) {
        error = "option --names needs two names separated by a comma";
        return false;
      }
      if (first.size() > host_name_limit || second.size() > host_name_limit) {
        error = "option --names: a name has more than " + std::to_string(host_name_limit) + " bytes";
        return false;
      }
      options.names[0] = first;
      options.names[1] = second;
    } else if (arg == "--japanese") {
      options.japanese = true;
    } else if (arg == "--shot-menu") {
      if (!views(options.shot_menus)) return false;
    } else if (arg == "--shot-title-dialog") {
      options.shot_title_dialog = true;
    } else if (arg == "--shot-desktop") {
      options.shot_desktop = true;
    } else if (arg == "--checkout") {
      if (!number(-2147483648LL, 2147483647LL, n)) return false;
      options.checkout_given = true;
      options.checkout_score = static_cast<int32_t>(n);
    } else if (arg == "--checkout-table") {
      options.checkout_table = true;
    } else if (arg == "--check-settings") {
      if (!value(options.check_settings)) return false;
      if (options.check_settings.empty()) {
        error = "option --check-settings needs a settings file";
        return false;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else if (options.plugin_path.empty()) {
      options.plugin_path = arg;
    } else {
      error = "more than one plug-in path: " + options.plugin_path + " and " + arg;
      return false;
    }
  }
  const bool pictures = !options.shot_menus.empty() || options.shot_title_dialog || options.shot_desktop;
  if (pictures && options.screenshot_dir.empty()) {
    error = "--shot-menu, --shot-title-dialog and --shot-desktop need --screenshot DIR";
    return false;
  }
  return true;
}

std::string host_checkout_line(int32_t score) {
  const char* route = checkout_route(score);
  return route != nullptr ? route : "none";
}

std::string host_checkout_table() {
  std::string lines;
  for (int32_t score = 2; score <= checkout_highest; ++score) {
    lines += std::to_string(score) + ": " + host_checkout_line(score) + "\n";
  }
  return lines;
}

const char* host_usage() {
  return "usage: dsv_host [options] [plug-in path]\n"
         "Loads a display plug-in (default: dsv_view.dsv beside this program), lists its\n"
         "views in the Views menu and plays a simulated 501 double-out match.\n"
         "  --plugin PATH        the plug-in to load (same as the bare path)\n"
         "  --open VIEWS         open views at start: all, large, small, result or an\n"
         "                       entry name; several separated by commas\n"
         "  --visits N           play N visits, then stop\n"
         "  --seed S             seed of the random thrower (default: from the clock)\n"
         "  --delay MS           pause between visits in milliseconds (default 300);\n"
         "                       with --notify dart, between darts\n"
         "  --notify dart|visit  change the record and tell the views after every dart\n"
         "                       (the score goes down dart by dart, a bust puts it back,\n"
         "                       the turn passes with the last dart) or, the default,\n"
         "                       after every visit\n"
         "  --undo-every N       after every N visits, take the last one back (as the\n"
         "                       Match menu's Take back, U) before playing on\n"
         "  --screenshot DIR     at the end, write each open view's window as DIR\\<class>.bmp\n"
         "  --exit               at the end, close the views, unload the plug-in and exit\n"
         "  --list               print the views the plug-in offers (index, entry point,\n"
         "                       codes it acts on, caption) and exit\n"
         "  --average-mode N     value the host reports to the result view (default 1:\n"
         "                       averages per three darts; other values: per dart)\n"
         "  --sets N, --legs N   first to N sets, first to N legs a set (default 3, 3)\n"
         "  --names A,B          the players' names (at most 67 bytes each)\n"
         "  --japanese           run with a Japanese thread locale: the plug-in's menus\n"
         "                       and dialogs are Japanese (needs code page 932; under\n"
         "                       Wine, LC_ALL=ja_JP.UTF-8)\n"
         "  --shot-menu VIEWS    at the end, open each view's context menu and write the\n"
         "                       view with the open menu as DIR\\<class>_menu.bmp\n"
         "  --shot-title-dialog  at the end, open the small view's Edit Title dialog from\n"
         "                       its menu, write it as DIR\\title_dialog.bmp, and cancel it\n"
         "  --shot-desktop       at the end, write the whole screen as DIR\\desktop.bmp\n"
         "  --checkout N         print the checkout route the large view shows for a\n"
         "                       remaining score N (\"none\" when there is none) and exit\n"
         "  --checkout-table     print the route of every score from 2 to 170 and exit\n"
         "  --check-settings PATH  read the settings file PATH as the plug-in does, print\n"
         "                       one line per problem (a key no view reads, a colour not\n"
         "                       \"0xRRGGBB\", a window size that becomes the fixed one, a\n"
         "                       skin file missing or not a bitmap, a digit strip whose\n"
         "                       width is no multiple of ten, a skin place outside the\n"
         "                       background) and exit: 0 nothing to report, 1 problems,\n"
         "                       2 the file cannot be read\n"
         "Exit codes: 0 done, 2 bad command line, 3 plug-in not loadable or not a\n"
         "plug-in, 4 a view did not open or a screenshot was not written;\n"
         "--check-settings has its own (above).\n";
}
