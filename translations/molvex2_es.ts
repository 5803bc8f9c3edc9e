<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CAboutDialog</name>
    <message>
        <source>About Molvex 2</source>
        <translation>Acerca de Molvex 2</translation>
    </message>
    <message>
        <source>Chemical equations typeset as you type them.</source>
        <translation>Ecuaciones químicas compuestas mientras las escribe.</translation>
    </message>
    <message>
        <source>Copyright © Tamrel Software</source>
        <translation>Copyright © Tamrel Software</translation>
    </message>
</context>
<context>
    <name>CChemStatus</name>
    <message>
        <source> (+%1 more)</source>
        <translation> (+%1 más)</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>Balance: %1</source>
        <translation>Balance: %1</translation>
    </message>
    <message>
        <source>Reading hint</source>
        <translation>Indicación de lectura</translation>
    </message>
    <message>
        <source>Reading hint: %1</source>
        <translation>Indicación de lectura: %1</translation>
    </message>
</context>
<context>
    <name>CContactDialog</name>
    <message>
        <source>About Tamrel</source>
        <translation>Acerca de Tamrel</translation>
    </message>
    <message>
        <source>Makers of Molvex 2, the chemical equation editor.</source>
        <translation>Creadores de Molvex 2, el editor de ecuaciones químicas.</translation>
    </message>
    <message>
        <source>Questions, suggestions and reports of problems are always welcome:</source>
        <translation>Las preguntas, sugerencias e informes de problemas siempre son bienvenidos:</translation>
    </message>
    <message>
        <source>please write to Tamrel Software support.</source>
        <translation>escriba al servicio de asistencia de Tamrel Software.</translation>
    </message>
</context>
<context>
    <name>CDocumentManager</name>
    <message>
        <source>File Save Error</source>
        <translation>Error al guardar</translation>
    </message>
</context>
<context>
    <name>CEntryBar</name>
    <message>
        <source>Drag to change the height of the entry box</source>
        <translation>Arrastre para cambiar la altura del cuadro de entrada</translation>
    </message>
    <message>
        <source>Equation</source>
        <translation>Ecuación</translation>
    </message>
</context>
<context>
    <name>CEntryEdit</name>
    <message>
        <source>Equation text</source>
        <translation>Texto de la ecuación</translation>
    </message>
    <message>
        <source>One equation line per line, at most 20 lines. The picture is typeset as you type.</source>
        <translation>Una línea de ecuación por línea, 20 líneas como máximo. La imagen se compone mientras escribe.</translation>
    </message>
</context>
<context>
    <name>CFileDialogs</name>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>Imagen PNG (*.png)</translation>
    </message>
    <message>
        <source>SVG picture (*.svg)</source>
        <translation>Imagen SVG (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Windows metafile (*.wmf)</source>
        <translation>Metarchivo de Windows (*.wmf)</translation>
    </message>
    <message>
        <source>Export Picture</source>
        <translation>Exportar imagen</translation>
    </message>
    <message>
        <source>Scale of the PNG picture (1: the size on screen at 100%):</source>
        <translation>Escala de la imagen PNG (1: el tamaño en pantalla al 100&#xa0;%):</translation>
    </message>
    <message>
        <source>Molvex Files (*.mv2)</source>
        <translation>Archivos de Molvex (*.mv2)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Guardar como</translation>
    </message>
</context>
<context>
    <name>CFontChooser</name>
    <message>
        <source>Black</source>
        <translation>Negro</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Granate</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Oliva</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Azul marino</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Púrpura</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Verde azulado</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Plata</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Lima</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Amarillo</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fucsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Aguamarina</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanco</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Fuente</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personalizado</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Color:</translation>
    </message>
</context>
<context>
    <name>CIniStore</name>
    <message>
        <source>File Save Error</source>
        <translation>Error al guardar</translation>
    </message>
    <message>
        <source>Unable to write file %1.

Administrator privileges are probably needed to save this file.  Please contact your IT staff.</source>
        <translation>No se puede escribir el archivo %1.

Probablemente se necesitan privilegios de administrador para guardar este archivo. Póngase en contacto con su servicio informático.</translation>
    </message>
    <message>
        <source>Unable to write file %1.

It could not be read (%2), so saving would lose the settings it holds; it was left as it is.</source>
        <translation>No se puede escribir el archivo %1.

No se pudo leer (%2), así que guardarlo perdería los ajustes que contiene; se ha dejado como estaba.</translation>
    </message>
</context>
<context>
    <name>CLevelDialog</name>
    <message>
        <source>Level of your equations</source>
        <translation>Nivel de sus ecuaciones</translation>
    </message>
    <message>
        <source>Very High</source>
        <translation>Muy altas</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Altas</translation>
    </message>
    <message>
        <source>A Little High</source>
        <translation>Un poco altas</translation>
    </message>
    <message>
        <source>A Little Low</source>
        <translation>Un poco bajas</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Bajas</translation>
    </message>
    <message>
        <source>Very Low</source>
        <translation>Muy bajas</translation>
    </message>
    <message>
        <source>Level: %1</source>
        <translation>Nivel: %1</translation>
    </message>
    <message>
        <source>Level Adjustment</source>
        <translation>Ajuste del nivel</translation>
    </message>
    <message>
        <source>Your Equations Are</source>
        <translation>Sus ecuaciones están</translation>
    </message>
    <message>
        <source>Move the level to %1</source>
        <translation>Poner el nivel en %1</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Moves equations up or down against the surrounding text when they are placed into a document. It is used by the LibreOffice extension and by any container that reads the lowering hint.</source>
        <translation>Desplaza las ecuaciones hacia arriba o hacia abajo respecto al texto que las rodea cuando se colocan en un documento. Lo usan la extensión de LibreOffice y cualquier programa que lea la indicación de descenso.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Introduzca un número entero.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Introduzca un número entero entre %1 y %2.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>The line of the equation the caret is on</source>
        <translation>La línea de la ecuación en la que está el cursor</translation>
    </message>
    <message>
        <source>An equation has at most %1 lines.</source>
        <translation>Una ecuación tiene como máximo %1 líneas.</translation>
    </message>
    <message>
        <source>Line %1 of %2</source>
        <translation>Línea %1 de %2</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>The picture was written to %1</source>
        <translation>La imagen se escribió en %1</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Estándar</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>DES</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>Zoom of the equation view</source>
        <translation>Zoom de la vista de la ecuación</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 lines are typeset</source>
        <translation>Solo se componen las primeras %1 de %2 líneas</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>No se pudo iniciar la impresora.</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>MAY</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>The settings in %1 could not be read (%2). Changes to them will not be saved, so that nothing in the file is lost.</source>
        <translation>No se pudo leer la configuración de %1 (%2). Sus cambios no se guardarán, para que no se pierda nada del archivo.</translation>
    </message>
    <message>
        <source>Settings not read: %1</source>
        <translation>Configuración no leída: %1</translation>
    </message>
</context>
<context>
    <name>CMolvexApp</name>
    <message>
        <source>Save changes to %1?</source>
        <translation>¿Guardar los cambios en %1?</translation>
    </message>
    <message>
        <source>Write Default Configuration File</source>
        <translation>Escribir el archivo de configuración predeterminado</translation>
    </message>
    <message>
        <source>Write your current options and level adjustment to
%1?

They become the settings of every user of this computer the next time each starts Molvex 2.</source>
        <translation>¿Escribir sus opciones actuales y el ajuste de nivel en
%1?

Serán los ajustes de todos los usuarios de este equipo la próxima vez que inicien Molvex 2.</translation>
    </message>
</context>
<context>
    <name>CMolvexDoc</name>
    <message>
        <source>Unexpected file format.</source>
        <translation>Formato de archivo inesperado.</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>No se pudo abrir el documento.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>No se pudo guardar el documento.</translation>
    </message>
    <message>
        <source>Cannot open the Clipboard</source>
        <translation>No se puede abrir el portapapeles</translation>
    </message>
    <message>
        <source>Cannot empty the Clipboard</source>
        <translation>No se puede vaciar el portapapeles</translation>
    </message>
</context>
<context>
    <name>CMolvexView</name>
    <message>
        <source>The equation is empty.</source>
        <translation>La ecuación está vacía.</translation>
    </message>
    <message>
        <source>Line %1 is empty.</source>
        <translation>La línea %1 está vacía.</translation>
    </message>
    <message>
        <source>Line %1: %2.</source>
        <translation>Línea %1: %2.</translation>
    </message>
    <message>
        <source>The whole equation: %1</source>
        <translation>La ecuación completa: %1</translation>
    </message>
    <message>
        <source>Equation picture</source>
        <translation>Imagen de la ecuación</translation>
    </message>
    <message>
        <source>Equation picture: %1</source>
        <translation>Imagen de la ecuación: %1</translation>
    </message>
    <message>
        <source>Line %1, “%2”: %3 (class %4), %5 (display code %6)</source>
        <translation>Línea %1, «%2»: %3 (clase %4), %5 (código de visualización %6)</translation>
    </message>
</context>
<context>
    <name>COptionsDialog</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Value %1</source>
        <translation>Valor %1</translation>
    </message>
    <message>
        <source>Single line half arrows</source>
        <translation>Una línea, medias puntas</translation>
    </message>
    <message>
        <source>Single line full arrows</source>
        <translation>Una línea, puntas completas</translation>
    </message>
    <message>
        <source>Double lines half arrows</source>
        <translation>Dos líneas, medias puntas</translation>
    </message>
    <message>
        <source>Double lines full arrows</source>
        <translation>Dos líneas, puntas completas</translation>
    </message>
    <message>
        <source>Molvex 2 Options</source>
        <translation>Opciones de Molvex 2</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Niveles</translation>
    </message>
    <message>
        <source>Arrows</source>
        <translation>Flechas</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Superíndice</translation>
    </message>
    <message>
        <source>Subscript</source>
        <translation>Subíndice</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Text Sizes</source>
        <translation>Tamaños de texto</translation>
    </message>
    <message>
        <source>Arrow Text</source>
        <translation>Texto de flecha</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Spacing</source>
        <translation>Espaciado</translation>
    </message>
    <message>
        <source>Equilibrium Arrow Type</source>
        <translation>Tipo de flecha de equilibrio</translation>
    </message>
    <message>
        <source>Italicize Phase</source>
        <translation>Estados en cursiva</translation>
    </message>
    <message>
        <source>Default Arrow Width</source>
        <translation>Ancho predeterminado de las flechas</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Set as Default</source>
        <translation>Establecer como predeterminado</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>CSaveChangesDialog</name>
    <message>
        <source>Unsaved Documents</source>
        <translation>Documentos sin guardar</translation>
    </message>
    <message>
        <source>These documents have changes that are not saved. Save the ticked ones?</source>
        <translation>Estos documentos tienen cambios sin guardar. ¿Guardar los marcados?</translation>
    </message>
    <message>
        <source>Unsaved documents</source>
        <translation>Documentos sin guardar</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Guardar todos</translation>
    </message>
    <message>
        <source>Discard All</source>
        <translation>Descartar todos</translation>
    </message>
    <message>
        <source>Save Selected</source>
        <translation>Guardar los marcados</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Nuevo	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>Crea un documento nuevo
Nuevo</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Abrir...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Abre un documento existente
Abrir</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>Cierra el documento activo
Cerrar</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Guardar	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>Guarda el documento activo
Guardar</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Guardar &amp;como...</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>Guarda el documento activo con un nombre nuevo
Guardar como</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Con&amp;figurar impresión...</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Cambia la impresora y las opciones de impresión
Configurar impresión</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Imprimir...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>Imprime el documento activo
Imprimir</translation>
    </message>
    <message>
        <source>Print the active document using current options
Quick Print</source>
        <translation>Imprime el documento activo con las opciones actuales
Impresión rápida</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>&amp;Vista previa de impresión</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Muestra páginas completas
Vista previa de impresión</translation>
    </message>
    <message>
        <source>&amp;Update	Ctrl+S</source>
        <translation>Ac&amp;tualizar	Ctrl+S</translation>
    </message>
    <message>
        <source>Update the container to show any changes
Update</source>
        <translation>Actualiza el documento que contiene la ecuación con los cambios
Actualizar</translation>
    </message>
    <message>
        <source>Save Copy &amp;As...</source>
        <translation>Guardar una co&amp;pia como...</translation>
    </message>
    <message>
        <source>Save a copy of the active document with a new name
Save Copy</source>
        <translation>Guarda una copia del documento activo con un nombre nuevo
Guardar copia</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Cierra el programa y pregunta si se deben guardar los documentos
Salir</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Deshacer	Ctrl+Z</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>Deshace la última acción
Deshacer</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>&amp;Rehacer	Ctrl+Y</translation>
    </message>
    <message>
        <source>Redo the previously undone action
Redo</source>
        <translation>Rehace la acción deshecha
Rehacer</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>Cor&amp;tar	Ctrl+X</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Corta la selección y la pone en el portapapeles
Cortar</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Copiar	Ctrl+C</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Copia la selección en el portapapeles
Copiar</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>&amp;Pegar	Ctrl+V</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Inserta el contenido del portapapeles
Pegar</translation>
    </message>
    <message>
        <source>Copy as Picture	Ctrl+M</source>
        <translation>Copiar como imagen	Ctrl+M</translation>
    </message>
    <message>
        <source>Copies Equation to Clipboard as a Picture</source>
        <translation>Copia la ecuación en el portapapeles como imagen</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Barra de &amp;herramientas</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Muestra u oculta la barra de herramientas
Barra de herramientas</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barra de &amp;estado</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Muestra u oculta la barra de estado
Barra de estado</translation>
    </message>
    <message>
        <source>Zoom &amp;In	Ctrl++</source>
        <translation>&amp;Ampliar	Ctrl++</translation>
    </message>
    <message>
        <source>Show the equation larger
Zoom In</source>
        <translation>Muestra la ecuación más grande
Ampliar</translation>
    </message>
    <message>
        <source>Zoom &amp;Out	Ctrl+-</source>
        <translation>&amp;Reducir	Ctrl+-</translation>
    </message>
    <message>
        <source>Show the equation smaller
Zoom Out</source>
        <translation>Muestra la ecuación más pequeña
Reducir</translation>
    </message>
    <message>
        <source>&amp;Actual Size	Ctrl+0</source>
        <translation>&amp;Tamaño real	Ctrl+0</translation>
    </message>
    <message>
        <source>Show the equation at its actual size
Actual Size</source>
        <translation>Muestra la ecuación a su tamaño real
Tamaño real</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Cascada</translation>
    </message>
    <message>
        <source>Arrange windows so they overlap
Cascade Windows</source>
        <translation>Coloca las ventanas superpuestas en cascada
Ventanas en cascada</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Mosaico</translation>
    </message>
    <message>
        <source>Arrange windows as non-overlapping tiles
Tile Windows</source>
        <translation>Coloca las ventanas en mosaico, sin superponerse
Ventanas en mosaico</translation>
    </message>
    <message>
        <source>Ne&amp;xt	Ctrl+F6</source>
        <translation>&amp;Siguiente	Ctrl+F6</translation>
    </message>
    <message>
        <source>Activate the next document window
Next Window</source>
        <translation>Activa la ventana de documento siguiente
Ventana siguiente</translation>
    </message>
    <message>
        <source>Pre&amp;vious	Ctrl+Shift+F6</source>
        <translation>A&amp;nterior	Ctrl+Mayús+F6</translation>
    </message>
    <message>
        <source>Activate the previous document window
Previous Window</source>
        <translation>Activa la ventana de documento anterior
Ventana anterior</translation>
    </message>
    <message>
        <source>&amp;Font ...</source>
        <translation>&amp;Fuente ...</translation>
    </message>
    <message>
        <source>Select font used for equations</source>
        <translation>Selecciona la fuente de las ecuaciones</translation>
    </message>
    <message>
        <source>Change the Default Font</source>
        <translation>Cambiar la fuente predeterminada</translation>
    </message>
    <message>
        <source>&amp;Options ...</source>
        <translation>&amp;Opciones ...</translation>
    </message>
    <message>
        <source>Set options for drawing equations</source>
        <translation>Establece las opciones de dibujo de las ecuaciones</translation>
    </message>
    <message>
        <source>Change the Equation Options</source>
        <translation>Cambiar las opciones de las ecuaciones</translation>
    </message>
    <message>
        <source>&amp;Adjust Level ...</source>
        <translation>Ajustar el &amp;nivel ...</translation>
    </message>
    <message>
        <source>Adjust the level when returned to a document</source>
        <translation>Ajusta el nivel de las ecuaciones respecto al texto del documento</translation>
    </message>
    <message>
        <source>Write Default Configuration File</source>
        <translation>Escribir el archivo de configuración predeterminado</translation>
    </message>
    <message>
        <source>Writes the default configuration file for all users</source>
        <translation>Escribe el archivo de configuración predeterminado para todos los usuarios</translation>
    </message>
    <message>
        <source>Read &amp;Help File</source>
        <translation>Leer el archivo de a&amp;yuda</translation>
    </message>
    <message>
        <source>Open the help file
Help File</source>
        <translation>Abre el archivo de ayuda
Archivo de ayuda</translation>
    </message>
    <message>
        <source>Read &amp;Manual (PDF)</source>
        <translation>Leer el &amp;manual (PDF)</translation>
    </message>
    <message>
        <source>Open the manual
Manual</source>
        <translation>Abre el manual
Manual</translation>
    </message>
    <message>
        <source>Read &amp;Quickref Card</source>
        <translation>Leer la &amp;tarjeta de referencia rápida</translation>
    </message>
    <message>
        <source>Open the quick reference card
Quickref Card</source>
        <translation>Abre la tarjeta de referencia rápida
Referencia rápida</translation>
    </message>
    <message>
        <source>&amp;About Molvex 2...</source>
        <translation>Acerca &amp;de Molvex 2...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Muestra información del programa, el número de versión y el copyright
Acerca de</translation>
    </message>
    <message>
        <source>About &amp;Tamrel...</source>
        <translation>Acerca de &amp;Tamrel...</translation>
    </message>
    <message>
        <source>How to contact Tamrel Software
Contact</source>
        <translation>Cómo contactar con Tamrel Software
Contacto</translation>
    </message>
    <message>
        <source>List Help topics
Help Topics</source>
        <translation>Muestra los temas de ayuda
Temas de ayuda</translation>
    </message>
    <message>
        <source>Display help for clicked on buttons, menus and windows
Help</source>
        <translation>Muestra ayuda sobre los botones, menús y ventanas en que se hace clic
Ayuda</translation>
    </message>
    <message>
        <source>Display help for current task or command
Help</source>
        <translation>Muestra ayuda sobre la tarea o el comando actual
Ayuda</translation>
    </message>
    <message>
        <source>Display instructions about how to use help
Help</source>
        <translation>Explica cómo usar la ayuda
Ayuda</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>Pasa al siguiente panel de la ventana
Panel siguiente</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>Vuelve al panel anterior de la ventana
Panel anterior</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Archivo reciente</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Abre este documento</translation>
    </message>
    <message>
        <source>Activate this window</source>
        <translation>Activa esta ventana</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edición</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>Ve&amp;ntana</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xportar...</translation>
    </message>
    <message>
        <source>Write the equation as a picture file: PNG, SVG, PDF or WMF
Export</source>
        <translation>Escribe la ecuación como archivo de imagen: PNG, SVG, PDF o WMF
Exportar</translation>
    </message>
</context>
<context>
    <name>DefaultConfig</name>
    <message>
        <source>A default configuration file has been written to
%1

Read the installation instructions for details
on how to use this feature.</source>
        <translation>Se ha escrito un archivo de configuración predeterminado en
%1

Consulte las instrucciones de instalación para saber
cómo usar esta función.</translation>
    </message>
</context>
<context>
    <name>HelpCommands</name>
    <message>
        <source>File Error</source>
        <translation>Error de archivo</translation>
    </message>
    <message>
        <source>I cannot locate that file</source>
        <translation>No se encuentra ese archivo</translation>
    </message>
    <message>
        <source>Cannot find Adobe Acrobat</source>
        <translation>No se encuentra Adobe Acrobat</translation>
    </message>
    <message>
        <source>A PDF reader is needed to read this document, and none is set up to open PDF files.

Please install a PDF reader (for example Adobe Acrobat Reader, Okular or Evince) and try again.</source>
        <translation>Se necesita un lector de PDF para leer este documento y no hay ninguno configurado para abrir archivos PDF.

Instale un lector de PDF (por ejemplo Adobe Acrobat Reader, Okular o Evince) y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>

The document is
%1</source>
        <translation>

El documento es
%1</translation>
    </message>
    <message>
        <source>Cannot find a web browser</source>
        <translation>No se encuentra un navegador web</translation>
    </message>
    <message>
        <source>A web browser is needed to read the help file, and none could open it.

Please install a web browser and try again, or open the file yourself.</source>
        <translation>Se necesita un navegador web para leer el archivo de ayuda y ninguno pudo abrirlo.

Instale un navegador web y vuelva a intentarlo, o abra el archivo usted mismo.</translation>
    </message>
</context>
<context>
    <name>chem</name>
    <message>
        <source>hydrogen</source>
        <translation>hidrógeno</translation>
    </message>
    <message>
        <source>helium</source>
        <translation>helio</translation>
    </message>
    <message>
        <source>lithium</source>
        <translation>litio</translation>
    </message>
    <message>
        <source>beryllium</source>
        <translation>berilio</translation>
    </message>
    <message>
        <source>boron</source>
        <translation>boro</translation>
    </message>
    <message>
        <source>carbon</source>
        <translation>carbono</translation>
    </message>
    <message>
        <source>nitrogen</source>
        <translation>nitrógeno</translation>
    </message>
    <message>
        <source>oxygen</source>
        <translation>oxígeno</translation>
    </message>
    <message>
        <source>fluorine</source>
        <translation>flúor</translation>
    </message>
    <message>
        <source>neon</source>
        <translation>neón</translation>
    </message>
    <message>
        <source>sodium</source>
        <translation>sodio</translation>
    </message>
    <message>
        <source>magnesium</source>
        <translation>magnesio</translation>
    </message>
    <message>
        <source>aluminium</source>
        <translation>aluminio</translation>
    </message>
    <message>
        <source>silicon</source>
        <translation>silicio</translation>
    </message>
    <message>
        <source>phosphorus</source>
        <translation>fósforo</translation>
    </message>
    <message>
        <source>sulfur</source>
        <translation>azufre</translation>
    </message>
    <message>
        <source>chlorine</source>
        <translation>cloro</translation>
    </message>
    <message>
        <source>argon</source>
        <translation>argón</translation>
    </message>
    <message>
        <source>potassium</source>
        <translation>potasio</translation>
    </message>
    <message>
        <source>calcium</source>
        <translation>calcio</translation>
    </message>
    <message>
        <source>scandium</source>
        <translation>escandio</translation>
    </message>
    <message>
        <source>titanium</source>
        <translation>titanio</translation>
    </message>
    <message>
        <source>vanadium</source>
        <translation>vanadio</translation>
    </message>
    <message>
        <source>chromium</source>
        <translation>cromo</translation>
    </message>
    <message>
        <source>manganese</source>
        <translation>manganeso</translation>
    </message>
    <message>
        <source>iron</source>
        <translation>hierro</translation>
    </message>
    <message>
        <source>cobalt</source>
        <translation>cobalto</translation>
    </message>
    <message>
        <source>nickel</source>
        <translation>níquel</translation>
    </message>
    <message>
        <source>copper</source>
        <translation>cobre</translation>
    </message>
    <message>
        <source>zinc</source>
        <translation>cinc</translation>
    </message>
    <message>
        <source>gallium</source>
        <translation>galio</translation>
    </message>
    <message>
        <source>germanium</source>
        <translation>germanio</translation>
    </message>
    <message>
        <source>arsenic</source>
        <translation>arsénico</translation>
    </message>
    <message>
        <source>selenium</source>
        <translation>selenio</translation>
    </message>
    <message>
        <source>bromine</source>
        <translation>bromo</translation>
    </message>
    <message>
        <source>krypton</source>
        <translation>kriptón</translation>
    </message>
    <message>
        <source>rubidium</source>
        <translation>rubidio</translation>
    </message>
    <message>
        <source>strontium</source>
        <translation>estroncio</translation>
    </message>
    <message>
        <source>yttrium</source>
        <translation>itrio</translation>
    </message>
    <message>
        <source>zirconium</source>
        <translation>circonio</translation>
    </message>
    <message>
        <source>niobium</source>
        <translation>niobio</translation>
    </message>
    <message>
        <source>molybdenum</source>
        <translation>molibdeno</translation>
    </message>
    <message>
        <source>technetium</source>
        <translation>tecnecio</translation>
    </message>
    <message>
        <source>ruthenium</source>
        <translation>rutenio</translation>
    </message>
    <message>
        <source>rhodium</source>
        <translation>rodio</translation>
    </message>
    <message>
        <source>palladium</source>
        <translation>paladio</translation>
    </message>
    <message>
        <source>silver</source>
        <translation>plata</translation>
    </message>
    <message>
        <source>cadmium</source>
        <translation>cadmio</translation>
    </message>
    <message>
        <source>indium</source>
        <translation>indio</translation>
    </message>
    <message>
        <source>tin</source>
        <translation>estaño</translation>
    </message>
    <message>
        <source>antimony</source>
        <translation>antimonio</translation>
    </message>
    <message>
        <source>tellurium</source>
        <translation>telurio</translation>
    </message>
    <message>
        <source>iodine</source>
        <translation>yodo</translation>
    </message>
    <message>
        <source>xenon</source>
        <translation>xenón</translation>
    </message>
    <message>
        <source>caesium</source>
        <translation>cesio</translation>
    </message>
    <message>
        <source>barium</source>
        <translation>bario</translation>
    </message>
    <message>
        <source>lanthanum</source>
        <translation>lantano</translation>
    </message>
    <message>
        <source>cerium</source>
        <translation>cerio</translation>
    </message>
    <message>
        <source>praseodymium</source>
        <translation>praseodimio</translation>
    </message>
    <message>
        <source>neodymium</source>
        <translation>neodimio</translation>
    </message>
    <message>
        <source>promethium</source>
        <translation>prometio</translation>
    </message>
    <message>
        <source>samarium</source>
        <translation>samario</translation>
    </message>
    <message>
        <source>europium</source>
        <translation>europio</translation>
    </message>
    <message>
        <source>gadolinium</source>
        <translation>gadolinio</translation>
    </message>
    <message>
        <source>terbium</source>
        <translation>terbio</translation>
    </message>
    <message>
        <source>dysprosium</source>
        <translation>disprosio</translation>
    </message>
    <message>
        <source>holmium</source>
        <translation>holmio</translation>
    </message>
    <message>
        <source>erbium</source>
        <translation>erbio</translation>
    </message>
    <message>
        <source>thulium</source>
        <translation>tulio</translation>
    </message>
    <message>
        <source>ytterbium</source>
        <translation>iterbio</translation>
    </message>
    <message>
        <source>lutetium</source>
        <translation>lutecio</translation>
    </message>
    <message>
        <source>hafnium</source>
        <translation>hafnio</translation>
    </message>
    <message>
        <source>tantalum</source>
        <translation>tántalo</translation>
    </message>
    <message>
        <source>tungsten</source>
        <translation>wolframio</translation>
    </message>
    <message>
        <source>rhenium</source>
        <translation>renio</translation>
    </message>
    <message>
        <source>osmium</source>
        <translation>osmio</translation>
    </message>
    <message>
        <source>iridium</source>
        <translation>iridio</translation>
    </message>
    <message>
        <source>platinum</source>
        <translation>platino</translation>
    </message>
    <message>
        <source>gold</source>
        <translation>oro</translation>
    </message>
    <message>
        <source>mercury</source>
        <translation>mercurio</translation>
    </message>
    <message>
        <source>thallium</source>
        <translation>talio</translation>
    </message>
    <message>
        <source>lead</source>
        <translation>plomo</translation>
    </message>
    <message>
        <source>bismuth</source>
        <translation>bismuto</translation>
    </message>
    <message>
        <source>polonium</source>
        <translation>polonio</translation>
    </message>
    <message>
        <source>astatine</source>
        <translation>astato</translation>
    </message>
    <message>
        <source>radon</source>
        <translation>radón</translation>
    </message>
    <message>
        <source>francium</source>
        <translation>francio</translation>
    </message>
    <message>
        <source>radium</source>
        <translation>radio</translation>
    </message>
    <message>
        <source>actinium</source>
        <translation>actinio</translation>
    </message>
    <message>
        <source>thorium</source>
        <translation>torio</translation>
    </message>
    <message>
        <source>protactinium</source>
        <translation>protactinio</translation>
    </message>
    <message>
        <source>uranium</source>
        <translation>uranio</translation>
    </message>
    <message>
        <source>neptunium</source>
        <translation>neptunio</translation>
    </message>
    <message>
        <source>plutonium</source>
        <translation>plutonio</translation>
    </message>
    <message>
        <source>americium</source>
        <translation>americio</translation>
    </message>
    <message>
        <source>curium</source>
        <translation>curio</translation>
    </message>
    <message>
        <source>berkelium</source>
        <translation>berkelio</translation>
    </message>
    <message>
        <source>californium</source>
        <translation>californio</translation>
    </message>
    <message>
        <source>einsteinium</source>
        <translation>einstenio</translation>
    </message>
    <message>
        <source>fermium</source>
        <translation>fermio</translation>
    </message>
    <message>
        <source>mendelevium</source>
        <translation>mendelevio</translation>
    </message>
    <message>
        <source>nobelium</source>
        <translation>nobelio</translation>
    </message>
    <message>
        <source>lawrencium</source>
        <translation>lawrencio</translation>
    </message>
    <message>
        <source>rutherfordium</source>
        <translation>rutherfordio</translation>
    </message>
    <message>
        <source>dubnium</source>
        <translation>dubnio</translation>
    </message>
    <message>
        <source>seaborgium</source>
        <translation>seaborgio</translation>
    </message>
    <message>
        <source>bohrium</source>
        <translation>bohrio</translation>
    </message>
    <message>
        <source>hassium</source>
        <translation>hasio</translation>
    </message>
    <message>
        <source>meitnerium</source>
        <translation>meitnerio</translation>
    </message>
    <message>
        <source>darmstadtium</source>
        <translation>darmstatio</translation>
    </message>
    <message>
        <source>roentgenium</source>
        <translation>roentgenio</translation>
    </message>
    <message>
        <source>copernicium</source>
        <translation>copernicio</translation>
    </message>
    <message>
        <source>nihonium</source>
        <translation>nihonio</translation>
    </message>
    <message>
        <source>flerovium</source>
        <translation>flerovio</translation>
    </message>
    <message>
        <source>moscovium</source>
        <translation>moscovio</translation>
    </message>
    <message>
        <source>livermorium</source>
        <translation>livermorio</translation>
    </message>
    <message>
        <source>tennessine</source>
        <translation>teneso</translation>
    </message>
    <message>
        <source>oganesson</source>
        <translation>oganesón</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>«%1»</translation>
    </message>
    <message>
        <source>a species</source>
        <translation>una especie química</translation>
    </message>
    <message>
        <source>%1 is not a species</source>
        <translation>%1 no es una especie química</translation>
    </message>
    <message>
        <source>a stacked pair stands before nothing</source>
        <translation>un par de números no precede a ningún símbolo</translation>
    </message>
    <message>
        <source>numbers too large</source>
        <translation>números demasiado grandes</translation>
    </message>
    <message>
        <source>the stacked pair {%1,%2} is not two numbers</source>
        <translation>el par {%1,%2} no está formado por dos números</translation>
    </message>
    <message>
        <source>%1 has no mass and atomic numbers</source>
        <translation>%1 no tiene número másico ni número atómico</translation>
    </message>
    <message>
        <source>the arrow is not closed</source>
        <translation>la flecha no está cerrada</translation>
    </message>
    <message>
        <source>nothing before the arrow</source>
        <translation>nada antes de la flecha</translation>
    </message>
    <message>
        <source>nothing after the arrow</source>
        <translation>nada después de la flecha</translation>
    </message>
    <message>
        <source>mass number</source>
        <translation>número másico</translation>
    </message>
    <message>
        <source>atomic number</source>
        <translation>número atómico</translation>
    </message>
    <message>
        <source>%1 %2 → %3</source>
        <translation>%1 %2 → %3</translation>
    </message>
    <message>
        <source>charge %1 → %2</source>
        <translation>carga %1 → %2</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>balanced</source>
        <translation>ajustada</translation>
    </message>
    <message>
        <source>arrow %1: %2</source>
        <translation>flecha %1: %2</translation>
    </message>
    <message>
        <source>not balanced: %1</source>
        <translation>no ajustada: %1</translation>
    </message>
    <message>
        <source>cannot check: %1</source>
        <translation>no se puede comprobar: %1</translation>
    </message>
    <message>
        <source>%1 is read as %2: type a capital letter to keep your own case</source>
        <translation>%1 se lee como %2: escriba una mayúscula para conservar su escritura</translation>
    </message>
    <message>
        <source>%1 is read as %2 (%3): type a capital letter to keep your own case</source>
        <translation>%1 se lee como %2 (%3): escriba una mayúscula para conservar su escritura</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 keeps its %2 as a subscript with charge %3: only the listed ions (such as Fe3+) raise a single digit</source>
        <translation>%1 mantiene su %2 como subíndice, con carga %3: solo los iones de la lista (como Fe3+) ponen una sola cifra como superíndice</translation>
    </message>
    <message>
        <source>%1 is read as %2 with charge %3: the last digit before a sign is the charge</source>
        <translation>%1 se lee como %2 con carga %3: la última cifra antes de un signo es la carga</translation>
    </message>
    <message>
        <source>the arrow opened by %1 at column %2 is never closed: end it with %3</source>
        <translation>la flecha abierta con %1 en la columna %2 no se cierra: termínela con %3</translation>
    </message>
    <message>
        <source>%1 at column %2 opens a reaction arrow; for an equals sign put it in quotes: %3</source>
        <translation>%1 en la columna %2 abre una flecha de reacción; para un signo igual, póngalo entre comillas: %3</translation>
    </message>
    <message>
        <source>the quote at column %1 is never closed: the rest of the line is drawn as typed</source>
        <translation>la comilla de la columna %1 no se cierra: el resto de la línea se dibuja tal como se escribió</translation>
    </message>
    <message>
        <source>the brace at column %1 is never closed: end the pair with %2</source>
        <translation>la llave de la columna %1 no se cierra: termine el par con %2</translation>
    </message>
    <message>
        <source>above arrow %1: %2</source>
        <translation>sobre la flecha %1: %2</translation>
    </message>
    <message>
        <source>below arrow %1: %2</source>
        <translation>bajo la flecha %1: %2</translation>
    </message>
    <message>
        <source>arrow texts are nested more than %1 deep</source>
        <translation>textos de flecha anidados en más de %1 niveles</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The running Molvex 2 refused to open %1.</source>
        <translation>El Molvex 2 en ejecución se negó a abrir %1.</translation>
    </message>
    <message>
        <source>The running Molvex 2 refused to make a new document.</source>
        <translation>El Molvex 2 en ejecución se negó a crear un documento nuevo.</translation>
    </message>
</context>
</TS>
