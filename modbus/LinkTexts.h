// Texts of the MODBUS-LIFT link, shown in the main window's status bar and written to the
// protocol log.
#pragma once

#include <string_view>

// Request errors (status panel 1 and the log).
inline constexpr std::string_view TextCrcError = "Ошибка KS в запросе";  // request failed its CRC
inline constexpr std::string_view TextWrongSlave = "Неправильный адрес SLAVE";  // request for another slave
inline constexpr std::string_view TextWrongFunction = "Неправильная функция";  // function other than 4
inline constexpr std::string_view TextWrongRegister = "Неправильный адрес регистра";  // first register above 9
inline constexpr std::string_view TextWrongCount = "Неправильное количество регистров";  // register count above 42

// Link progress and link errors.
inline constexpr std::string_view TextConnecting = "Подключение ...";  // panel 1, a connection cycle begins
inline constexpr std::string_view TextTcpError = "Ошибка TCP";  // panel 0, no host or no port
inline constexpr std::string_view TextOpeningPort = "Открываю порт...";  // panel 0, a client was made
inline constexpr std::string_view TextReady = "Готов ...";  // panel 1, before the first connect
inline constexpr std::string_view TextOpeningTcp = "Открываю TCP:";  // panel 0, followed directly by the host
inline constexpr std::string_view TextConnected = "TCP Порт: OK ...";  // panel 0, the connection stands
inline constexpr std::string_view TextRequests = "Запросов: ";  // panel 1, followed by the read count
inline constexpr std::string_view TextSilencePrefix = "Нет запросов  ";  // panel 1, followed by the seconds of silence
inline constexpr std::string_view TextSilenceSuffix = " сек";  // panel 1, after the seconds of silence
inline constexpr std::string_view TextTooMuchData = "Слишком много TCP данных";  // 2048 or more bytes waiting
inline constexpr std::string_view TextDisconnected = "Отключение TCP";  // the gateway closed the connection
inline constexpr std::string_view TextReadFailed = "Не удалось прочитать TCP";  // a read failed
inline constexpr std::string_view TextReconnect = "Переподключение ...";  // no request for the silence time-out
inline constexpr std::string_view TextNotConnected = "Нет подключения";  // panel 1, the link was stopped
