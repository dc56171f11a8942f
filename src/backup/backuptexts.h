#pragma once
// What the backup and the restore say to the user.

#include <QString>

namespace backuptexts {

// Steps shown in the progress window.
inline const QString kClosing = QStringLiteral(u"Fechando o banco de dados");
inline const QString kOpening = QStringLiteral(u"Abrindo o banco de dados");

inline const QString kToolNotFound = QStringLiteral(u"Gbak não encontrado.");
inline const QString kOverwrite = QStringLiteral(u"O arquivo já existe. Sobrepor?");
inline const QString kCreated = QStringLiteral(u"O arquivo foi criado");
inline const QString kNotCreated = QStringLiteral(u"Falha na criação do arquivo");
inline const QString kIsTheDatabase = QStringLiteral(u"O arquivo escolhido é o próprio banco de dados do Marvok.");
inline const QString kOldFileKept = QStringLiteral(u"O arquivo que já existia não foi alterado.");
inline const QString kBackupTitle = QStringLiteral(u"Salvando cópia de segurança…");
inline const QString kRestoreTitle = QStringLiteral(u"Restaurando cópia de segurança…");
inline const QString kRestored = QStringLiteral(u"A cópia de segurança foi restaurada.");
inline const QString kPreviousKept = QStringLiteral(u"O banco de dados anterior foi guardado em:");
inline const QString kNotRestored = QStringLiteral(u"Falha na restauração da cópia de segurança.");
inline const QString kUnchanged = QStringLiteral(u"O banco de dados não foi alterado.");
inline const QString kPutBack = QStringLiteral(u"O banco de dados anterior foi recolocado no lugar.");

} // namespace backuptexts
