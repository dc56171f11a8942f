#pragma once
// What the backup and the restore say to the user.

#include <QString>

namespace backuptexts {

// Steps shown in the progress window.
inline const QString kClosing = QStringLiteral(u"Fechando o banco de dados");
inline const QString kOpening = QStringLiteral(u"Abrindo o banco de dados");
inline const QString kWriting = QStringLiteral(u"Gravando e conferindo a cópia");
inline const QString kReading = QStringLiteral(u"Lendo a cópia");
inline const QString kKeeping = QStringLiteral(u"Guardando o banco de dados anterior");
inline const QString kReplacing = QStringLiteral(u"Substituindo o banco de dados");
inline const QString kPuttingBack = QStringLiteral(u"Recolocando o banco de dados anterior");

// Titles of the progress window.
inline const QString kBackupTitle = QStringLiteral(u"Salvando cópia de segurança…");
inline const QString kRestoreTitle = QStringLiteral(u"Restaurando cópia de segurança…");

// Messages of the window when the work is over.
inline const QString kOverwrite = QStringLiteral(u"O arquivo já existe. Sobrepor?");
inline const QString kCreated = QStringLiteral(u"O arquivo foi criado");
inline const QString kNotCreated = QStringLiteral(u"Falha na criação do arquivo");
inline const QString kIsTheDatabase = QStringLiteral(u"O arquivo escolhido é o próprio banco de dados do Marvok.");
inline const QString kOldFileKept = QStringLiteral(u"O arquivo que já existia não foi alterado.");
inline const QString kRestored = QStringLiteral(u"A cópia de segurança foi restaurada.");
inline const QString kPreviousKept = QStringLiteral(u"O banco de dados anterior foi guardado em:");
inline const QString kNotRestored = QStringLiteral(u"Falha na restauração da cópia de segurança.");
inline const QString kUnchanged = QStringLiteral(u"O banco de dados não foi alterado.");
inline const QString kPutBack = QStringLiteral(u"O banco de dados anterior foi recolocado no lugar.");
// Above the server's or the system's own words, below the reason.
inline const QString kTheirWords = QStringLiteral(u"Detalhes técnicos:");

} // namespace backuptexts
