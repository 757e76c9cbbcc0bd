// Texts of the MODBUS-LIFT link, shown in the main window's status bar and written to the
// protocol log.
#pragma once

#include <string_view>

// Request errors (status panel 1 and the log).
// Request failed its CRC.
inline constexpr std::string_view TextCrcError = "Ошибка KS в запросе";
// Request for another slave.
inline constexpr std::string_view TextWrongSlave = "Неправильный адрес SLAVE";
// Function other than 4.
inline constexpr std::string_view TextWrongFunction = "Неправильная функция";
// First register above 9.
inline constexpr std::string_view TextWrongRegister = "Неправильный адрес регистра";
// Register count above 42.
inline constexpr std::string_view TextWrongCount = "Неправильное количество регистров";

// Link progress and link errors.
// Panel 1, a connection cycle begins.
inline constexpr std::string_view TextConnecting = "Подключение ...";
// Panel 0, no host or no port.
inline constexpr std::string_view TextTcpError = "Ошибка TCP";
// Panel 0, a client was made.
inline constexpr std::string_view TextOpeningPort = "Открываю порт...";
// Panel 1, before the first connect.
inline constexpr std::string_view TextReady = "Готов ...";
// Panel 0, followed directly by the host.
inline constexpr std::string_view TextOpeningTcp = "Открываю TCP:";
// Panel 0, the connection stands.
inline constexpr std::string_view TextConnected = "TCP Порт: OK ...";
// Panel 1, followed by the read count.
inline constexpr std::string_view TextRequests = "Запросов: ";
// Panel 1, followed by the seconds of silence.
inline constexpr std::string_view TextSilencePrefix = "Нет запросов  ";
// Panel 1, after the seconds of silence.
inline constexpr std::string_view TextSilenceSuffix = " сек";
// 2048 or more bytes waiting.
inline constexpr std::string_view TextTooMuchData = "Слишком много TCP данных";
// The gateway closed the connection.
inline constexpr std::string_view TextDisconnected = "Отключение TCP";
// A read failed.
inline constexpr std::string_view TextReadFailed = "Не удалось прочитать TCP";
// No request for the silence time-out.
inline constexpr std::string_view TextReconnect = "Переподключение ...";
// Panel 1, the link was stopped.
inline constexpr std::string_view TextNotConnected = "Нет подключения";
