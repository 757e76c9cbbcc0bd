#include "tools/headless/HeadlessOptions.h"

TParsedHeadlessOptions ParseHeadlessOptions(std::span<const std::string_view> args)
{
  TParsedHeadlessOptions parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      parsed.options.help = true;
    } else if (arg == "--settings" && i + 1 < args.size()) {
      parsed.options.settingsFile = args[++i];
    } else if (arg.starts_with("--settings=")) {
      parsed.options.settingsFile = arg.substr(arg.find('=') + 1);
    } else if (arg == "--settings") {
      parsed.error = "у параметра --settings нет значения";
      return parsed;
    } else {
      parsed.error = "неизвестный параметр «" + std::string(arg) + "»";
      return parsed;
    }
    if (parsed.options.settingsFile.empty() && arg.starts_with("--settings")) {
      parsed.error = "у параметра --settings пустое значение";
      return parsed;
    }
  }
  parsed.ok = true;
  return parsed;
}

std::string HeadlessUsage()
{
  return "Использование: trevolk-headless [--settings ФАЙЛ]\n"
         "Лифт MODBUS-LIFT без окон: читает настройки, как главное окно при запуске (по умолчанию\n"
         "\"Trevolk.ini\" в рабочей папке; файл никогда не записывается), подключается к ГКСЛ-Е и\n"
         "отвечает на запросы до SIGINT или SIGTERM. Тексты строки состояния выводятся строками\n"
         "\"[панель] текст\".\n"
         "  --settings ФАЙЛ   другой файл настроек; протокол пишется в его папку\n";
}
