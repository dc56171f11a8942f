<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>report::PreviewDialog</name>
    <message>
        <source>Preview</source>
        <translation>Visualização</translation>
    </message>
    <message>
        <source>Preview - %1</source>
        <translation>Visualização - %1</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>PDF file...</source>
        <translation>Arquivo PDF...</translation>
    </message>
    <message>
        <source>PNG images...</source>
        <translation>Imagens PNG...</translation>
    </message>
    <message>
        <source>Quick export (PDF)</source>
        <translation>Exportação rápida (PDF)</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Aumentar zoom</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Diminuir zoom</translation>
    </message>
    <message>
        <source>Page width</source>
        <translation>Largura da página</translation>
    </message>
    <message>
        <source>Whole page</source>
        <translation>Página inteira</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Localizar</translation>
    </message>
    <message>
        <source>Find next</source>
        <translation>Localizar próximo</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Estrutura</translation>
    </message>
    <message>
        <source>Page setup</source>
        <translation>Configurar página</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>Primeira página</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Página anterior</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Próxima página</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Última página</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Página %1</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Página</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Relatório</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>de %1</translation>
    </message>
    <message>
        <source>Text not found: %1</source>
        <translation>Texto não encontrado: %1</translation>
    </message>
    <message>
        <source>Open prepared report</source>
        <translation>Abrir relatório preparado</translation>
    </message>
    <message>
        <source>Save prepared report</source>
        <translation>Salvar relatório preparado</translation>
    </message>
    <message>
        <source>Prepared reports (*.mvp)</source>
        <translation>Relatórios preparados (*.mvp)</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Salvo em %1</translation>
    </message>
    <message>
        <source>Export to PDF</source>
        <translation>Exportar para PDF</translation>
    </message>
    <message>
        <source>Export to PNG</source>
        <translation>Exportar para PNG</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Arquivos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>Imagens PNG (*.png)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportado para %1</translation>
    </message>
</context>
<context>
    <name>report</name>
    <message>
        <source>Cannot print on %1.</source>
        <translation>Não foi possível imprimir em %1.</translation>
    </message>
    <message>
        <source>Cannot read the file %1.</source>
        <translation>Não foi possível ler o arquivo %1.</translation>
    </message>
    <message>
        <source>Cannot write the file %1.</source>
        <translation>Não foi possível gravar o arquivo %1.</translation>
    </message>
    <message>
        <source>Script error in line %1 at &quot;%2&quot;.</source>
        <translation>Erro no script na linha %1 em &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Script error in line %1: unknown object %2.</source>
        <translation>Erro no script na linha %1: objeto desconhecido %2.</translation>
    </message>
    <message>
        <source>end of text</source>
        <translation>fim do texto</translation>
    </message>
    <message>
        <source>The file is not a prepared report.</source>
        <translation>O arquivo não é um relatório preparado.</translation>
    </message>
    <message>
        <source>The prepared report is damaged.</source>
        <translation>O relatório preparado está danificado.</translation>
    </message>
    <message>
        <source>The report uses the data set %1, which is not bound.</source>
        <translation>O relatório usa o conjunto de dados %1, que não está ligado.</translation>
    </message>
    <message>
        <source>The script has no procedure %1.</source>
        <translation>O script não tem o procedimento %1.</translation>
    </message>
    <message>
        <source>Unknown column %1 in [%2].</source>
        <translation>Coluna desconhecida %1 em [%2].</translation>
    </message>
    <message>
        <source>Unknown data set %1 in [%2].</source>
        <translation>Conjunto de dados desconhecido %1 em [%2].</translation>
    </message>
    <message>
        <source>Unknown expression [%1].</source>
        <translation>Expressão desconhecida [%1].</translation>
    </message>
    <message>
        <source>Unsupported condition: %1</source>
        <translation>Condição não suportada: %1</translation>
    </message>
</context>
</TS>
