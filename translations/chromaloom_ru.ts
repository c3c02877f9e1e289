<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>BitmapSizes</name>
    <message>
        <source>256 x 192 without border</source>
        <translation>256 x 192 без бордюра</translation>
    </message>
    <message>
        <source>512 x 384 without border</source>
        <translation>512 x 384 без бордюра</translation>
    </message>
    <message>
        <source>768 x 576 without border</source>
        <translation>768 x 576 без бордюра</translation>
    </message>
    <message>
        <source>1024 x 768 without border</source>
        <translation>1024 x 768 без бордюра</translation>
    </message>
    <message>
        <source>1280 x 960 without border</source>
        <translation>1280 x 960 без бордюра</translation>
    </message>
    <message>
        <source>640 x 480 (512x384 with border)</source>
        <translation>640 x 480 (512x384 с бордюром)</translation>
    </message>
    <message>
        <source>800 x 600 (768x576 with border)</source>
        <translation>800 x 600 (768x576 с бордюром)</translation>
    </message>
    <message>
        <source>1024 x 768 (768x576 with border)</source>
        <translation>1024 x 768 (768x576 с бордюром)</translation>
    </message>
    <message>
        <source>1280 x 960 (1024x768 with border)</source>
        <translation>1280 x 960 (1024x768 с бордюром)</translation>
    </message>
</context>
<context>
    <name>Changes</name>
    <message>
        <source>Pencil</source>
        <translation>карандаш</translation>
    </message>
    <message>
        <source>Fill Char</source>
        <translation>заливку знакоместа</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>линию</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>прямоугольник</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>эллипс</translation>
    </message>
    <message>
        <source>Flood Fill</source>
        <translation>заливку</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>текст</translation>
    </message>
    <message>
        <source>Convert Brush</source>
        <translation>кисть-конвертер</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>изменение</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>вставку</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>удаление</translation>
    </message>
    <message>
        <source>Exchange Cells</source>
        <translation>обмен знакомест</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>бордюр</translation>
    </message>
    <message>
        <source>New</source>
        <translation>новую картинку</translation>
    </message>
    <message>
        <source>Change Char Size</source>
        <translation>смену знакоместа</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>импорт</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>отражение по горизонтали</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>отражение по вертикали</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>поворот</translation>
    </message>
    <message>
        <source>Rotate Pixels</source>
        <translation>сдвиг пикселей</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>P</source>
        <translation>P (З)</translation>
    </message>
    <message>
        <source>Choose the pencil</source>
        <translation>Выбрать карандаш</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>Карандаш</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N (Т)</translation>
    </message>
    <message>
        <source>Choose Fill Char</source>
        <translation>Выбрать заливку знакоместа</translation>
    </message>
    <message>
        <source>Fill Char</source>
        <translation>Заливка знакоместа</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S (Ы)</translation>
    </message>
    <message>
        <source>Choose the selection tool</source>
        <translation>Выбрать выделение</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Выделение</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L (Д)</translation>
    </message>
    <message>
        <source>Choose the line</source>
        <translation>Выбрать линию</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Линия</translation>
    </message>
    <message>
        <source>J</source>
        <translation>J (О)</translation>
    </message>
    <message>
        <source>Choose the rectangle</source>
        <translation>Выбрать прямоугольник</translation>
    </message>
    <message>
        <source>Rectangle: two clicks at opposite corners; Shift makes a square</source>
        <translation>Прямоугольник: два щелчка в противоположных углах; с Shift — квадрат</translation>
    </message>
    <message>
        <source>U</source>
        <translation>U (Г)</translation>
    </message>
    <message>
        <source>Choose the ellipse</source>
        <translation>Выбрать эллипс</translation>
    </message>
    <message>
        <source>Ellipse: two clicks at opposite corners of its box; Shift makes a circle</source>
        <translation>Эллипс: два щелчка в противоположных углах его рамки; с Shift — круг</translation>
    </message>
    <message>
        <source>K</source>
        <translation>K (Л)</translation>
    </message>
    <message>
        <source>Choose the flood fill</source>
        <translation>Выбрать заливку</translation>
    </message>
    <message>
        <source>Flood fill: paints the joined area of the colour clicked, as the view shows it</source>
        <translation>Заливка: закрашивает связную область цвета, по которому щёлкнули, как её показывает вид</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T (Е)</translation>
    </message>
    <message>
        <source>Choose the text tool</source>
        <translation>Выбрать текст</translation>
    </message>
    <message>
        <source>Text: click, type, Enter to place it (Esc cancels)</source>
        <translation>Текст: щёлкните, наберите, Enter — поставить (Esc — отмена)</translation>
    </message>
    <message>
        <source>F9</source>
        <translation>F9</translation>
    </message>
    <message>
        <source>Choose the convert brush</source>
        <translation>Выбрать кисть-конвертер</translation>
    </message>
    <message>
        <source>Convert brush: paints the reference image under it, converted cell by cell as the import converts (View &gt; Reference Image)</source>
        <translation>Кисть-конвертер: рисует лежащую под ней подложку, переводя её по знакоместам так же, как импорт (Вид &gt; Подложка)</translation>
    </message>
    <message>
        <source>Filled Shapes</source>
        <translation>Закрашенные фигуры</translation>
    </message>
    <message>
        <source>I</source>
        <translation>I (Ш)</translation>
    </message>
    <message>
        <source>Switch filled rectangles and ellipses on or off</source>
        <translation>Включить или выключить закрашенные прямоугольники и эллипсы</translation>
    </message>
    <message>
        <source>Filled: rectangles and ellipses paint their insides too; on/off</source>
        <translation>Закрашенные: прямоугольники и эллипсы закрашивают и середину; вкл./выкл.</translation>
    </message>
    <message>
        <source>Brush: size and shape for the pencil and outlines</source>
        <translation>Кисть: размер и форма для карандаша и контуров</translation>
    </message>
    <message>
        <source>Pattern: paint with the chosen entry and a second one</source>
        <translation>Узор: рисовать выбранной ячейкой вместе со второй</translation>
    </message>
    <message>
        <source>Symmetry: every tool mirrors what it paints</source>
        <translation>Симметрия: каждый инструмент отражает то, что рисует</translation>
    </message>
    <message>
        <source>`</source>
        <translation>` (Ё)</translation>
    </message>
    <message>
        <source>Switch free colour painting on or off</source>
        <translation>Включить или выключить рисование свободным цветом</translation>
    </message>
    <message>
        <source>Free colour: paint in the colour shown here (any mixed colour: pick it in the full palette, an entry, or with the right button); each cell solved anew; on/off</source>
        <translation>Свободный цвет: рисовать показанным здесь цветом (любым смешанным: выберите его в полной палитре, ячейкой или правой кнопкой); каждое знакоместо подбирается заново; вкл./выкл.</translation>
    </message>
    <message>
        <source>Larger Brush</source>
        <translation>Кисть больше</translation>
    </message>
    <message>
        <source>]</source>
        <translation>] (Ъ)</translation>
    </message>
    <message>
        <source>Make the brush one pixel larger</source>
        <translation>Увеличить кисть на пиксель</translation>
    </message>
    <message>
        <source>Smaller Brush</source>
        <translation>Кисть меньше</translation>
    </message>
    <message>
        <source>[</source>
        <translation>[ (Х)</translation>
    </message>
    <message>
        <source>Make the brush one pixel smaller</source>
        <translation>Уменьшить кисть на пиксель</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R (К)</translation>
    </message>
    <message>
        <source>Switch the brush between round and square</source>
        <translation>Переключить кисть: круглая или квадратная</translation>
    </message>
    <message>
        <source>Next Pattern</source>
        <translation>Следующий узор</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y (Н)</translation>
    </message>
    <message>
        <source>Paint with the next pattern</source>
        <translation>Рисовать следующим узором</translation>
    </message>
    <message>
        <source>Next Symmetry</source>
        <translation>Следующая симметрия</translation>
    </message>
    <message>
        <source>Z</source>
        <translation>Z (Я)</translation>
    </message>
    <message>
        <source>Mirror the next way: none, left-right, top-bottom, four-way</source>
        <translation>Следующее отражение: нет, слева-направо, сверху-вниз, на четыре стороны</translation>
    </message>
    <message>
        <source>Axes to the Pointer</source>
        <translation>Оси к указателю</translation>
    </message>
    <message>
        <source>D</source>
        <translation>D (В)</translation>
    </message>
    <message>
        <source>Move the symmetry axes to the pointer</source>
        <translation>Перенести оси симметрии к указателю</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>End the line or rectangle being drawn</source>
        <translation>Закончить рисуемую линию или прямоугольник</translation>
    </message>
    <message>
        <source>Remove selection (CTRL+D or ESC)</source>
        <translation>Снять выделение (CTRL+D или ESC)</translation>
    </message>
    <message>
        <source>Esc or Ctrl+D</source>
        <translation>Esc или Ctrl+D (В)</translation>
    </message>
    <message>
        <source>Remove the selection</source>
        <translation>Снять выделение</translation>
    </message>
    <message>
        <source>Cancel the floating paste</source>
        <translation>Отменить плавающую вставку</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Grow the preview&apos;s zoom selector (preview shown)</source>
        <translation>Увеличить рамку лупы превью (при показанном превью)</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Shrink the preview&apos;s zoom selector (preview shown)</source>
        <translation>Уменьшить рамку лупы превью (при показанном превью)</translation>
    </message>
    <message>
        <source>O or 6</source>
        <translation>O (Щ) или 6</translation>
    </message>
    <message>
        <source>Move the pointer left, faster while held</source>
        <translation>Указатель влево, быстрее при удержании</translation>
    </message>
    <message>
        <source>P or 7</source>
        <translation>P (З) или 7</translation>
    </message>
    <message>
        <source>Move the pointer right, faster while held</source>
        <translation>Указатель вправо, быстрее при удержании</translation>
    </message>
    <message>
        <source>A or 8</source>
        <translation>A (Ф) или 8</translation>
    </message>
    <message>
        <source>Move the pointer down, faster while held</source>
        <translation>Указатель вниз, быстрее при удержании</translation>
    </message>
    <message>
        <source>Q or 9</source>
        <translation>Q (Й) или 9</translation>
    </message>
    <message>
        <source>Move the pointer up, faster while held</source>
        <translation>Указатель вверх, быстрее при удержании</translation>
    </message>
    <message>
        <source>Space or 0</source>
        <translation>Пробел или 0</translation>
    </message>
    <message>
        <source>Left click where the pointer is</source>
        <translation>Щелчок левой кнопкой там, где указатель</translation>
    </message>
    <message>
        <source>Enter or 5</source>
        <translation>Enter или 5</translation>
    </message>
    <message>
        <source>Right click where the pointer is</source>
        <translation>Щелчок правой кнопкой там, где указатель</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Place the floating paste</source>
        <translation>Поставить плавающую вставку</translation>
    </message>
    <message>
        <source>Ctrl+6</source>
        <translation>Ctrl+6</translation>
    </message>
    <message>
        <source>Move the pointer one screen pixel left</source>
        <translation>Указатель на пиксель экрана влево</translation>
    </message>
    <message>
        <source>Ctrl+7</source>
        <translation>Ctrl+7</translation>
    </message>
    <message>
        <source>Move the pointer one screen pixel right</source>
        <translation>Указатель на пиксель экрана вправо</translation>
    </message>
    <message>
        <source>Ctrl+8</source>
        <translation>Ctrl+8</translation>
    </message>
    <message>
        <source>Move the pointer one screen pixel down</source>
        <translation>Указатель на пиксель экрана вниз</translation>
    </message>
    <message>
        <source>Ctrl+9</source>
        <translation>Ctrl+9</translation>
    </message>
    <message>
        <source>Move the pointer one screen pixel up</source>
        <translation>Указатель на пиксель экрана вверх</translation>
    </message>
    <message>
        <source>Delete (DEL)</source>
        <translation>Удалить (DEL)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Delete the selected cells</source>
        <translation>Удалить выделенные знакоместа</translation>
    </message>
    <message>
        <source>Copy (CTRL+C)</source>
        <translation>Копировать (CTRL+C)</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C (С)</translation>
    </message>
    <message>
        <source>Copy the selection</source>
        <translation>Копировать выделение</translation>
    </message>
    <message>
        <source>Paste (CTRL+V)</source>
        <translation>Вставить (CTRL+V)</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V (М)</translation>
    </message>
    <message>
        <source>Paste: the cells float at the pointer until a click</source>
        <translation>Вставка: знакоместа плавают у указателя до щелчка</translation>
    </message>
    <message>
        <source>Rotate pixels Left (CTRL+CursorLeft)</source>
        <translation>Сдвинуть пиксели влево (CTRL+CursorLeft)</translation>
    </message>
    <message>
        <source>Ctrl+Left</source>
        <translation>Ctrl+Влево</translation>
    </message>
    <message>
        <source>Rotate the selected pixels left</source>
        <translation>Циклически сдвинуть выделенные пиксели влево</translation>
    </message>
    <message>
        <source>Rotate pixels Right (CTRL+CursorRight)</source>
        <translation>Сдвинуть пиксели вправо (CTRL+CursorRight)</translation>
    </message>
    <message>
        <source>Ctrl+Right</source>
        <translation>Ctrl+Вправо</translation>
    </message>
    <message>
        <source>Rotate the selected pixels right</source>
        <translation>Циклически сдвинуть выделенные пиксели вправо</translation>
    </message>
    <message>
        <source>Rotate pixels Up (CTRL+CursorUp)</source>
        <translation>Сдвинуть пиксели вверх (CTRL+CursorUp)</translation>
    </message>
    <message>
        <source>Ctrl+Up</source>
        <translation>Ctrl+Вверх</translation>
    </message>
    <message>
        <source>Rotate the selected pixels up</source>
        <translation>Циклически сдвинуть выделенные пиксели вверх</translation>
    </message>
    <message>
        <source>Rotate pixels Down (CTRL+CursorDown)</source>
        <translation>Сдвинуть пиксели вниз (CTRL+CursorDown)</translation>
    </message>
    <message>
        <source>Ctrl+Down</source>
        <translation>Ctrl+Вниз</translation>
    </message>
    <message>
        <source>Rotate the selected pixels down</source>
        <translation>Циклически сдвинуть выделенные пиксели вниз</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z (Я)</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Paint with char palette entry PAP0+PAP1</source>
        <translation>Рисовать ячейкой палитры знакоместа PAP0+PAP1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>Paint with char palette entry PAP0+INK1</source>
        <translation>Рисовать ячейкой палитры знакоместа PAP0+INK1</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>Paint with char palette entry INK0+PAP1</source>
        <translation>Рисовать ячейкой палитры знакоместа INK0+PAP1</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Paint with char palette entry INK0+INK1</source>
        <translation>Рисовать ячейкой палитры знакоместа INK0+INK1</translation>
    </message>
    <message>
        <source>C</source>
        <translation>C (С)</translation>
    </message>
    <message>
        <source>Show or hide the full palette</source>
        <translation>Показать или скрыть полную палитру</translation>
    </message>
    <message>
        <source>Full Palette Window</source>
        <translation>Окно полной палитры</translation>
    </message>
    <message>
        <source>V or F12</source>
        <translation>V (М) или F12</translation>
    </message>
    <message>
        <source>Show or hide the preview and zoom selector</source>
        <translation>Показать или скрыть превью с рамкой лупы</translation>
    </message>
    <message>
        <source>Preview and Zoom selector Window</source>
        <translation>Окно превью и рамки лупы</translation>
    </message>
    <message>
        <source>Alt+V</source>
        <translation>Alt+V (М)</translation>
    </message>
    <message>
        <source>Show or hide the magnifier</source>
        <translation>Показать или скрыть лупу</translation>
    </message>
    <message>
        <source>Preview Zoom Window</source>
        <translation>Окно лупы</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B (И)</translation>
    </message>
    <message>
        <source>Show or hide the border palette</source>
        <translation>Показать или скрыть палитру бордюра</translation>
    </message>
    <message>
        <source>Border Palette Window</source>
        <translation>Окно палитры бордюра</translation>
    </message>
    <message>
        <source>G</source>
        <translation>G (П)</translation>
    </message>
    <message>
        <source>Show or hide the char grid</source>
        <translation>Показать или скрыть сетку знакомест</translation>
    </message>
    <message>
        <source>PerChar Grid</source>
        <translation>Сетка знакомест</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H (Р)</translation>
    </message>
    <message>
        <source>Show or hide the pixel grid</source>
        <translation>Показать или скрыть сетку пикселей</translation>
    </message>
    <message>
        <source>PerPixel Grid</source>
        <translation>Сетка пикселей</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W (Ц)</translation>
    </message>
    <message>
        <source>Switch PIX mode on or off</source>
        <translation>Включить или выключить режим PIX</translation>
    </message>
    <message>
        <source>PIX: painting sets the pixel bits of both screens to the chosen entry; on/off</source>
        <translation>PIX: рисование ставит биты пикселя обоих экранов по выбранной ячейке; вкл./выкл.</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E (У)</translation>
    </message>
    <message>
        <source>Switch RGB mode on or off</source>
        <translation>Включить или выключить режим RGB</translation>
    </message>
    <message>
        <source>RGB: painting rewrites the cell line&apos;s attributes with the current colours; on/off</source>
        <translation>RGB: рисование переписывает атрибуты строки знакоместа текущими цветами; вкл./выкл.</translation>
    </message>
    <message>
        <source>Right, Up or Down</source>
        <translation>Вправо, Вверх или Вниз</translation>
    </message>
    <message>
        <source>Redraw the picture (wipes rubber bands)</source>
        <translation>Перерисовать картинку (стирает резиновые линии)</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>Мерцание</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F (А)</translation>
    </message>
    <message>
        <source>Show or hide the Flicker window</source>
        <translation>Показать или скрыть окно мерцания</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X (Ч)</translation>
    </message>
    <message>
        <source>Show the mixed picture, screen 0 or screen 1 in turn</source>
        <translation>Показывать по очереди смешанную картинку, экран 0 или экран 1</translation>
    </message>
    <message>
        <source>Flicker Map</source>
        <translation>Карта мерцания</translation>
    </message>
    <message>
        <source>M</source>
        <translation>M (Ь)</translation>
    </message>
    <message>
        <source>Show or hide the flicker map</source>
        <translation>Показать или скрыть карту мерцания</translation>
    </message>
    <message>
        <source>Zoom x1: 4 screen pixels per picture pixel</source>
        <translation>Масштаб x1: 4 пикселя экрана на пиксель картинки</translation>
    </message>
    <message>
        <source>Zoom x2: 8 screen pixels per picture pixel</source>
        <translation>Масштаб x2: 8 пикселей экрана на пиксель картинки</translation>
    </message>
    <message>
        <source>Zoom x3: 12 screen pixels per picture pixel</source>
        <translation>Масштаб x3: 12 пикселей экрана на пиксель картинки</translation>
    </message>
    <message>
        <source>Zoom x4: 16 screen pixels per picture pixel</source>
        <translation>Масштаб x4: 16 пикселей экрана на пиксель картинки</translation>
    </message>
    <message>
        <source>8x8 Standart Gigascreen</source>
        <translation>8x8 стандартный гигаскрин</translation>
    </message>
    <message>
        <source>8x4 MultiGigaScreen</source>
        <translation>8x4 MultiGigaScreen</translation>
    </message>
    <message>
        <source>8x2 MultiGigaScreen</source>
        <translation>8x2 MultiGigaScreen</translation>
    </message>
    <message>
        <source>8x1 MultiGigaScreen</source>
        <translation>8x1 MultiGigaScreen</translation>
    </message>
    <message>
        <source>Convert to 8x8</source>
        <translation>Перевести в 8x8</translation>
    </message>
    <message>
        <source>Convert to 8x4</source>
        <translation>Перевести в 8x4</translation>
    </message>
    <message>
        <source>Convert to 8x2</source>
        <translation>Перевести в 8x2</translation>
    </message>
    <message>
        <source>Convert to 8x1</source>
        <translation>Перевести в 8x1</translation>
    </message>
    <message>
        <source>Open *.mgs</source>
        <translation>Открыть *.mgs</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Save As *.mgs</source>
        <translation>Сохранить как *.mgs</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Picture...</source>
        <translation>Картинка...</translation>
    </message>
    <message>
        <source>Preview TRD on ZX-emul</source>
        <translation>Просмотр TRD в ZX-эмуляторе</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>Отразить по горизонтали</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>Отразить по вертикали</translation>
    </message>
    <message>
        <source>Rotate 90` cw</source>
        <translation>Повернуть на 90` по часовой</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts...</source>
        <translation>Клавиши...</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Крупнее</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Мельче</translation>
    </message>
    <message>
        <source>Reset Panel Places</source>
        <translation>Вернуть панели на места</translation>
    </message>
    <message>
        <source>Load Reference Image...</source>
        <translation>Загрузить подложку...</translation>
    </message>
    <message>
        <source>Show Reference Image</source>
        <translation>Показывать подложку</translation>
    </message>
    <message>
        <source>F6</source>
        <translation>F6</translation>
    </message>
    <message>
        <source>Show or hide the reference image</source>
        <translation>Показать или скрыть подложку</translation>
    </message>
    <message>
        <source>Fainter</source>
        <translation>Бледнее</translation>
    </message>
    <message>
        <source>F7</source>
        <translation>F7</translation>
    </message>
    <message>
        <source>Make the reference image fainter (10 %)</source>
        <translation>Сделать подложку бледнее (10 %)</translation>
    </message>
    <message>
        <source>Stronger</source>
        <translation>Ярче</translation>
    </message>
    <message>
        <source>F8</source>
        <translation>F8</translation>
    </message>
    <message>
        <source>Make the reference image stronger (10 %)</source>
        <translation>Сделать подложку ярче (10 %)</translation>
    </message>
    <message>
        <source>Remove Reference Image</source>
        <translation>Убрать подложку</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>По размеру окна</translation>
    </message>
    <message>
        <source>Fit: the largest zoom that shows the whole picture</source>
        <translation>По размеру окна: наибольший масштаб, при котором видна вся картинка</translation>
    </message>
    <message>
        <source>Mixed</source>
        <translation>Смешанная</translation>
    </message>
    <message>
        <source>Screen 0</source>
        <translation>Экран 0</translation>
    </message>
    <message>
        <source>Screen 1</source>
        <translation>Экран 1</translation>
    </message>
    <message>
        <source>Picture&apos;s Own Table</source>
        <translation>Своя таблица картинки</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Среднее</translation>
    </message>
    <message>
        <source>Linear Light</source>
        <translation>Линейный свет</translation>
    </message>
    <message>
        <source>sRGB</source>
        <translation>sRGB</translation>
    </message>
    <message>
        <source>Pulsar</source>
        <translation>Pulsar</translation>
    </message>
    <message>
        <source>Orthodox</source>
        <translation>Orthodox</translation>
    </message>
    <message>
        <source>Alone</source>
        <translation>Alone</translation>
    </message>
    <message>
        <source>Electroscale</source>
        <translation>Electroscale</translation>
    </message>
    <message>
        <source>Levels...</source>
        <translation>Уровни...</translation>
    </message>
    <message>
        <source>From File...</source>
        <translation>Из файла...</translation>
    </message>
    <message>
        <source>1 Pixel</source>
        <translation>1 пиксель</translation>
    </message>
    <message>
        <source>2 Pixels</source>
        <translation>2 пикселя</translation>
    </message>
    <message>
        <source>3 Pixels</source>
        <translation>3 пикселя</translation>
    </message>
    <message>
        <source>4 Pixels</source>
        <translation>4 пикселя</translation>
    </message>
    <message>
        <source>5 Pixels</source>
        <translation>5 пикселей</translation>
    </message>
    <message>
        <source>6 Pixels</source>
        <translation>6 пикселей</translation>
    </message>
    <message>
        <source>7 Pixels</source>
        <translation>7 пикселей</translation>
    </message>
    <message>
        <source>8 Pixels</source>
        <translation>8 пикселей</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>Круглая</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Квадратная</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>Сплошной</translation>
    </message>
    <message>
        <source>Checkerboard (50 %)</source>
        <translation>Шахматка (50 %)</translation>
    </message>
    <message>
        <source>25 % Ordered</source>
        <translation>25 % упорядоченный</translation>
    </message>
    <message>
        <source>75 % Ordered</source>
        <translation>75 % упорядоченный</translation>
    </message>
    <message>
        <source>Horizontal Lines</source>
        <translation>Горизонтальные линии</translation>
    </message>
    <message>
        <source>Vertical Lines</source>
        <translation>Вертикальные линии</translation>
    </message>
    <message>
        <source>P0+P1</source>
        <translation>P0+P1</translation>
    </message>
    <message>
        <source>P0+I1</source>
        <translation>P0+I1</translation>
    </message>
    <message>
        <source>I0+P1</source>
        <translation>I0+P1</translation>
    </message>
    <message>
        <source>I0+I1</source>
        <translation>I0+I1</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Left-Right</source>
        <translation>Слева-направо</translation>
    </message>
    <message>
        <source>Top-Bottom</source>
        <translation>Сверху-вниз</translation>
    </message>
    <message>
        <source>Four-Way</source>
        <translation>На четыре стороны</translation>
    </message>
    <message>
        <source>Text Font...</source>
        <translation>Шрифт текста...</translation>
    </message>
    <message>
        <source>Built-in 8x8 Font</source>
        <translation>Встроенный шрифт 8x8</translation>
    </message>
    <message>
        <source>Show/Hide</source>
        <translation>Показать/скрыть</translation>
    </message>
    <message>
        <source>As the System</source>
        <translation>Как в системе</translation>
    </message>
    <message>
        <source>Getting Started</source>
        <translation>Первые шаги</translation>
    </message>
    <message>
        <source>Open Sample Picture</source>
        <translation>Открыть пример картинки</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Клавиши</translation>
    </message>
    <message>
        <source>About chromaLoom</source>
        <translation>О chromaLoom</translation>
    </message>
    <message>
        <source> (use hotkey &apos;%1&apos;)</source>
        <translation> (клавиша &apos;%1&apos;)</translation>
    </message>
    <message>
        <source> or </source>
        <translation> или </translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be a key of its own.</source>
        <translation>«%1» не может быть клавишей сам по себе.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is already the key of &quot;File &gt; New&quot;.</source>
        <translation>«%1» уже занята командой «Файл &gt; Новая».</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is already the key of &quot;%2&quot;.</source>
        <translation>«%1» уже занята командой «%2».</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Новая</translation>
    </message>
    <message>
        <source>Change char size</source>
        <translation>Сменить знакоместо</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Недавние файлы</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Импорт</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Правка</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Reference Image</source>
        <translation>Подложка</translation>
    </message>
    <message>
        <source>Mixing</source>
        <translation>Смешение</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Рисование</translation>
    </message>
    <message>
        <source>Brush</source>
        <translation>Кисть</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>Узор</translation>
    </message>
    <message>
        <source>Second Entry</source>
        <translation>Вторая ячейка</translation>
    </message>
    <message>
        <source>Symmetry</source>
        <translation>Симметрия</translation>
    </message>
    <message>
        <source>Color Corrector</source>
        <translation>Цветокорректор</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
</context>
<context>
    <name>Corrector</name>
    <message>
        <source>Color Corrector</source>
        <translation>Цветокорректор</translation>
    </message>
    <message>
        <source>Close the Color Corrector</source>
        <translation>Закрыть цветокорректор</translation>
    </message>
    <message>
        <source>Screen %1 alone; click a cell to see it below</source>
        <translation>Только экран %1; щёлкните по знакоместу, чтобы увидеть его ниже</translation>
    </message>
    <message>
        <source>The chosen cell of screen %1, enlarged</source>
        <translation>Выбранное знакоместо экрана %1, крупно</translation>
    </message>
    <message>
        <source>The chosen cell&apos;s PAPER of screen 0</source>
        <translation>PAPER выбранного знакоместа на экране 0</translation>
    </message>
    <message>
        <source>The chosen cell&apos;s INK of screen 0</source>
        <translation>INK выбранного знакоместа на экране 0</translation>
    </message>
    <message>
        <source>The chosen cell&apos;s PAPER of screen 1</source>
        <translation>PAPER выбранного знакоместа на экране 1</translation>
    </message>
    <message>
        <source>The chosen cell&apos;s INK of screen 1</source>
        <translation>INK выбранного знакоместа на экране 1</translation>
    </message>
    <message>
        <source>Exchange Chars between screens</source>
        <translation>Обменять знакоместа между экранами</translation>
    </message>
    <message>
        <source>Swap the chosen cell&apos;s pixels and attributes between screen 0 and screen 1; the mix stays the same</source>
        <translation>Поменять местами пиксели и атрибуты выбранного знакоместа между экраном 0 и экраном 1; смешение остаётся прежним</translation>
    </message>
    <message>
        <source>Not available: this exchange is not built in this version. %1</source>
        <translation>Недоступно: этого обмена в этой версии нет. %1</translation>
    </message>
    <message>
        <source>To change an ink, pick a colour in the I0 or I1 strip of the palette.</source>
        <translation>Чтобы сменить INK, выберите цвет в полосе I0 или I1 палитры.</translation>
    </message>
    <message>
        <source>To change a paper, pick a colour in the P0 or P1 strip of the palette.</source>
        <translation>Чтобы сменить PAPER, выберите цвет в полосе P0 или P1 палитры.</translation>
    </message>
    <message>
        <source>Exchange Chars between screens below swaps a whole cell.</source>
        <translation>«Обменять знакоместа между экранами» ниже меняет знакоместо целиком.</translation>
    </message>
    <message>
        <source>Exchange INK0 / INK1 without pixels</source>
        <translation>Обменять INK0 / INK1 без пикселей</translation>
    </message>
    <message>
        <source>Exchange PAP0 / PAP1 without pixels</source>
        <translation>Обменять PAP0 / PAP1 без пикселей</translation>
    </message>
    <message>
        <source>Exchange INK/PAP with PIX</source>
        <translation>Обменять INK/PAP с PIX</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>Strong flicker: %1 %</source>
        <translation>Сильное мерцание: %1 %</translation>
    </message>
    <message>
        <source>Mixed</source>
        <translation>Смешанная</translation>
    </message>
    <message>
        <source>Screen 0</source>
        <translation>Экран 0</translation>
    </message>
    <message>
        <source>Screen 1</source>
        <translation>Экран 1</translation>
    </message>
    <message>
        <source>No attributes here show the free colour: the nearest is shown</source>
        <translation>Никакие атрибуты здесь не дают свободный цвет: показан ближайший</translation>
    </message>
    <message>
        <source>Text Font (the size in picture pixels)</source>
        <translation>Шрифт текста (размер в пикселях картинки)</translation>
    </message>
    <message>
        <source>The convert brush paints a reference image: View &gt; Reference Image first</source>
        <translation>Кисть-конвертер рисует подложкой: сначала Вид &gt; Подложка</translation>
    </message>
    <message>
        <source>The image on the clipboard is %1 x %2 pixels; at most %3 on a side and 64 megapixels are taken.</source>
        <translation>Изображение в буфере обмена — %1 x %2 пикселей; берутся не больше %3 по стороне и 64 мегапикселей.</translation>
    </message>
    <message>
        <source>There is not enough memory to take the image on the clipboard.</source>
        <translation>Не хватает памяти, чтобы взять изображение из буфера обмена.</translation>
    </message>
    <message>
        <source>Nothing can be pasted into a picture with a damaged cell height</source>
        <translation>В картинку с повреждённой высотой знакоместа ничего вставить нельзя</translation>
    </message>
    <message>
        <source>Nothing to paste: copy a selection first</source>
        <translation>Нечего вставлять: сначала скопируйте выделение</translation>
    </message>
    <message>
        <source>Click or Enter places the paste, Esc cancels it</source>
        <translation>Щелчок или Enter ставит вставку, Esc отменяет её</translation>
    </message>
    <message>
        <source>Sample picture: Save asks for a name of your own</source>
        <translation>Пример картинки: «Сохранить» спросит ваше имя файла</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Сохранено: %1</translation>
    </message>
    <message>
        <source>Exported %1</source>
        <translation>Экспортировано: %1</translation>
    </message>
    <message>
        <source>Preview Zoom</source>
        <translation>Лупа</translation>
    </message>
    <message>
        <source>The picture under the pointer, enlarged</source>
        <translation>Картинка под указателем, крупно</translation>
    </message>
    <message>
        <source>Opacity of the reference image (F7 fainter, F8 stronger)</source>
        <translation>Непрозрачность подложки (F7 бледнее, F8 ярче)</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Отменить %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Повторить %1</translation>
    </message>
    <message>
        <source>The language changes at the next start</source>
        <translation>Язык сменится при следующем запуске</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Картинка</translation>
    </message>
    <message>
        <source>Preview and Zoom Selector</source>
        <translation>Превью и рамка лупы</translation>
    </message>
    <message>
        <source>The whole picture; click to show the part under the zoom selector in the editor</source>
        <translation>Вся картинка; щёлкните, чтобы показать в редакторе часть под рамкой лупы</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>Select resolution and options:</source>
        <translation>Выберите размер и параметры:</translation>
    </message>
    <message>
        <source>The size of the written image</source>
        <translation>Размер записываемого изображения</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Choose a file name and write the image at the chosen size</source>
        <translation>Выбрать имя файла и записать изображение выбранного размера</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Close without writing</source>
        <translation>Закрыть, ничего не записывая</translation>
    </message>
    <message>
        <source>Screens 0 and 1 in turn, 20 ms each</source>
        <translation>Экраны 0 и 1 по очереди, по 20 мс</translation>
    </message>
    <message>
        <source>Mixing: </source>
        <translation>Смешение: </translation>
    </message>
</context>
<context>
    <name>FileKinds</name>
    <message>
        <source>Import from *.img</source>
        <translation>Импорт из *.img</translation>
    </message>
    <message>
        <source>Export to *.img</source>
        <translation>Экспорт в *.img</translation>
    </message>
    <message>
        <source>Import from *.$img</source>
        <translation>Импорт из *.$img</translation>
    </message>
    <message>
        <source>Import from *.scr</source>
        <translation>Импорт из *.scr</translation>
    </message>
    <message>
        <source>Import from *.$scr</source>
        <translation>Импорт из *.$scr</translation>
    </message>
    <message>
        <source>Import from *.mlt</source>
        <translation>Импорт из *.mlt</translation>
    </message>
    <message>
        <source>Export to *.mlt</source>
        <translation>Экспорт в *.mlt</translation>
    </message>
    <message>
        <source>Import from *.mc</source>
        <translation>Импорт из *.mc</translation>
    </message>
    <message>
        <source>Export to *.mc</source>
        <translation>Экспорт в *.mc</translation>
    </message>
    <message>
        <source>Import from *.ifl</source>
        <translation>Импорт из *.ifl</translation>
    </message>
    <message>
        <source>Export to *.ifl</source>
        <translation>Экспорт в *.ifl</translation>
    </message>
    <message>
        <source>Import from *.mc4</source>
        <translation>Импорт из *.mc4</translation>
    </message>
    <message>
        <source>Export to *.mc4</source>
        <translation>Экспорт в *.mc4</translation>
    </message>
    <message>
        <source>Import from *.atr</source>
        <translation>Импорт из *.atr</translation>
    </message>
    <message>
        <source>Export to *.atr</source>
        <translation>Экспорт в *.atr</translation>
    </message>
    <message>
        <source>Import from *.mg1/mg2/mg4/mg8</source>
        <translation>Импорт из *.mg1/mg2/mg4/mg8</translation>
    </message>
    <message>
        <source>Export to *.mg1</source>
        <translation>Экспорт в *.mg1</translation>
    </message>
    <message>
        <source>Export to *.mg2</source>
        <translation>Экспорт в *.mg2</translation>
    </message>
    <message>
        <source>Export to *.mg4</source>
        <translation>Экспорт в *.mg4</translation>
    </message>
    <message>
        <source>Export to *.mg8</source>
        <translation>Экспорт в *.mg8</translation>
    </message>
    <message>
        <source>Snapshot (.z80)...</source>
        <translation>Снапшот (.z80)...</translation>
    </message>
    <message>
        <source>Snapshot (.szx)...</source>
        <translation>Снапшот (.szx)...</translation>
    </message>
    <message>
        <source>Tape (.tap)...</source>
        <translation>Лента (.tap)...</translation>
    </message>
    <message>
        <source>Export to *.BMP</source>
        <translation>Экспорт в *.BMP</translation>
    </message>
    <message>
        <source>Export to *.PNG</source>
        <translation>Экспорт в *.PNG</translation>
    </message>
    <message>
        <source>Animated GIF...</source>
        <translation>Анимированный GIF...</translation>
    </message>
    <message>
        <source>Animated WebP...</source>
        <translation>Анимированный WebP...</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Pictures (%1)</source>
        <translation>Изображения (%1)</translation>
    </message>
    <message>
        <source>Cannot make the preview folder %1</source>
        <translation>Не удаётся создать папку просмотра %1</translation>
    </message>
    <message>
        <source>The program has no launcher %1</source>
        <translation>В программе нет запускающего скрипта %1</translation>
    </message>
    <message>
        <source>Cannot make %1 executable</source>
        <translation>Не удаётся сделать %1 исполняемым</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Без имени</translation>
    </message>
    <message>
        <source>The sample picture is missing: it belongs in %1 or %2.</source>
        <translation>Нет примера картинки: он должен лежать в %1 или %2.</translation>
    </message>
    <message>
        <source>Mixing profile (*.txt)</source>
        <translation>Профиль смешения (*.txt)</translation>
    </message>
    <message>
        <source>Mixing Levels</source>
        <translation>Уровни смешения</translation>
    </message>
    <message>
        <source>Levels ZZ,ZN,NN,NB,BB,ZB in hex, then optionally &quot;:&quot; and
a colour matrix R1,R2,R3;G1,G2,G3;B1,B2,B3 (out of FF)</source>
        <translation>Уровни ZZ,ZN,NN,NB,BB,ZB в hex, затем, если нужно, &quot;:&quot; и
цветовая матрица R1,R2,R3;G1,G2,G3;B1,B2,B3 (из FF)</translation>
    </message>
    <message>
        <source>These levels cannot be used: %1.</source>
        <translation>Эти уровни использовать нельзя: %1.</translation>
    </message>
    <message>
        <source>the preview</source>
        <translation>просмотр</translation>
    </message>
    <message>
        <source>The picture was written to %1, but no emulator was found to show it.

Install Fuse (apt install fuse-emulator-sdl), or set ZXVIEW_EMULATOR to a command that takes the snapshot&apos;s path as its last argument.</source>
        <translation>Картинка записана в %1, но эмулятор, чтобы её показать, не найден.

Установите Fuse (apt install fuse-emulator-sdl) или задайте в ZXVIEW_EMULATOR команду, которая принимает путь к снапшоту последним аргументом.</translation>
    </message>
    <message>
        <source>The picture was written to %1, but the emulator launcher %2 could not be started.</source>
        <translation>Картинка записана в %1, но запустить скрипт эмулятора %2 не удалось.</translation>
    </message>
    <message>
        <source>chromaLoom cannot open this kind of file:

%1</source>
        <translation>chromaLoom не открывает файлы такого вида:

%1</translation>
    </message>
    <message>
        <source>%1

This file no longer exists; it was taken off File &gt; Open Recent.</source>
        <translation>%1

Этого файла больше нет; он убран из «Файл &gt; Недавние файлы».</translation>
    </message>
    <message>
        <source>Not enough memory for %1</source>
        <translation>Не хватает памяти для %1</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Сохранить изменения в %1?</translation>
    </message>
    <message>
        <source>Confirm Save As</source>
        <translation>Подтверждение сохранения</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 уже существует.
Заменить его?</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Все файлы (*)</translation>
    </message>
</context>
<context>
    <name>Flicker</name>
    <message>
        <source>The flicker view needs OpenGL to show a frame on each refresh of the display, and no OpenGL context can be made here.</source>
        <translation>Окну мерцания нужен OpenGL, чтобы показывать кадр на каждом обновлении дисплея, а контекст OpenGL здесь создать нельзя.</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>Мерцание</translation>
    </message>
    <message>
        <source>Every refresh</source>
        <translation>Каждое обновление</translation>
    </message>
    <message>
        <source>How large the two screens are shown as they alternate (keys 1 to 4)</source>
        <translation>Насколько крупно показываются чередующиеся экраны (клавиши 1–4)</translation>
    </message>
    <message>
        <source>Switch screens at every display refresh, or 50 times a second as a ZX Spectrum does (T)</source>
        <translation>Менять экраны на каждом обновлении дисплея или 50 раз в секунду, как ZX Spectrum (T)</translation>
    </message>
    <message>
        <source>Zoom (1-4)</source>
        <translation>Масштаб (1-4)</translation>
    </message>
    <message>
        <source>Timing (T)</source>
        <translation>Частота (T)</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Ctrl+Wheel</source>
        <translation>Ctrl+колесо</translation>
    </message>
    <message>
        <source>Zoom in or out, keeping the picture under the pointer</source>
        <translation>Крупнее или мельче, не сдвигая картинку под указателем</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Клавиши</translation>
    </message>
    <message>
        <source>Does</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>Screen 0</source>
        <translation>Экран 0</translation>
    </message>
    <message>
        <source>Screen 1</source>
        <translation>Экран 1</translation>
    </message>
    <message>
        <source>The eye sees</source>
        <translation>Глаз видит</translation>
    </message>
    <message>
        <source>PAPER 0 (P0)</source>
        <translation>PAPER 0 (P0)</translation>
    </message>
    <message>
        <source>INK 0 (I0)</source>
        <translation>INK 0 (I0)</translation>
    </message>
    <message>
        <source>PAPER 1 (P1)</source>
        <translation>PAPER 1 (P1)</translation>
    </message>
    <message>
        <source>INK 1 (I1)</source>
        <translation>INK 1 (I1)</translation>
    </message>
    <message>
        <source>P0+P1: paper 0 with paper 1</source>
        <translation>P0+P1: PAPER 0 с PAPER 1</translation>
    </message>
    <message>
        <source>P0+I1: paper 0 with ink 1</source>
        <translation>P0+I1: PAPER 0 с INK 1</translation>
    </message>
    <message>
        <source>I0+P1: ink 0 with paper 1</source>
        <translation>I0+P1: INK 0 с PAPER 1</translation>
    </message>
    <message>
        <source>I0+I1: ink 0 with ink 1</source>
        <translation>I0+I1: INK 0 с INK 1</translation>
    </message>
    <message>
        <source>&lt;h3&gt;How a picture is made&lt;/h3&gt;&lt;p&gt;A Gigascreen picture is two ZX Spectrum screens shown on alternate frames; the eye mixes them. Each screen is cut into cells 8 pixels wide and 8, 4, 2 or 1 lines high (File &amp;gt; New). In a cell each screen has one INK and one PAPER colour, so the cell shows four mixed colours, its entries: &lt;b&gt;P0+P1&lt;/b&gt;, &lt;b&gt;P0+I1&lt;/b&gt;, &lt;b&gt;I0+P1&lt;/b&gt; and &lt;b&gt;I0+I1&lt;/b&gt; (P for paper, I for ink, 0 and 1 for the screen).&lt;/p&gt;&lt;p&gt;The tool bar shows the four entries of the current colours; click one, or press 1 to 4, to choose the entry the pencil paints with. The Full Palette window (C) sets the colours: click a mixed colour, or a colour in the PAP0, INK0, PAP1 and INK1 strips.&lt;/p&gt;&lt;h3&gt;Painting modes&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;PIX&lt;/b&gt; (W): painting sets a pixel&apos;s bits on both screens so that it shows the chosen entry; the cell keeps its colours.&lt;/li&gt;&lt;li&gt;&lt;b&gt;RGB&lt;/b&gt; (E): painting rewrites the attributes of the cell line under the pencil with the current colours; the pixels stay.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Both&lt;/b&gt;: the pixel gets the chosen entry and its cell line the current colours, so you paint exactly the colour you see in the tool bar.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;A button that is on is dark blue with bold text.&lt;/p&gt;&lt;h3&gt;Importing an image&lt;/h3&gt;&lt;p&gt;File &amp;gt; Import &amp;gt; Picture... opens a PNG, JPEG, GIF, BMP, WebP or TIFF image. In the dialog choose the cell height, how the image fits the 256 x 192 screen (fit, crop or stretch), the dithering, the colour metric and a flicker weight (small weights calm the flicker). The right preview shows the result; OK makes it the picture, and Edit &amp;gt; Undo takes it back.&lt;/p&gt;&lt;p&gt;To see what chromaLoom can do, try Help &amp;gt; Open Sample Picture.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Из чего состоит картинка&lt;/h3&gt;&lt;p&gt;Картинка гигаскрин — это два экрана ZX Spectrum, которые показываются через кадр; глаз их смешивает. Каждый экран поделён на знакоместа шириной 8 пикселей и высотой 8, 4, 2 или 1 строка (Файл &amp;gt; Новая). В знакоместе у каждого экрана один цвет INK и один PAPER, поэтому знакоместо показывает четыре смешанных цвета, свои ячейки: &lt;b&gt;P0+P1&lt;/b&gt;, &lt;b&gt;P0+I1&lt;/b&gt;, &lt;b&gt;I0+P1&lt;/b&gt; и &lt;b&gt;I0+I1&lt;/b&gt; (P — PAPER, I — INK, 0 и 1 — номер экрана).&lt;/p&gt;&lt;p&gt;Панель инструментов показывает четыре ячейки текущих цветов; щёлкните по одной или нажмите 1–4, чтобы выбрать ячейку, которой рисует карандаш. Окно полной палитры (C) задаёт цвета: щёлкните по смешанному цвету или по цвету в полосах PAP0, INK0, PAP1 и INK1.&lt;/p&gt;&lt;h3&gt;Режимы рисования&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;PIX&lt;/b&gt; (W): рисование ставит биты пикселя на обоих экранах так, чтобы он показывал выбранную ячейку; цвета знакоместа не меняются.&lt;/li&gt;&lt;li&gt;&lt;b&gt;RGB&lt;/b&gt; (E): рисование переписывает атрибуты строки знакоместа под карандашом текущими цветами; пиксели остаются.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Оба&lt;/b&gt;: пиксель получает выбранную ячейку, а строка знакоместа — текущие цвета, так что вы рисуете ровно тем цветом, который видите на панели инструментов.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Включённая кнопка — тёмно-синяя с жирной надписью.&lt;/p&gt;&lt;h3&gt;Импорт изображения&lt;/h3&gt;&lt;p&gt;Файл &amp;gt; Импорт &amp;gt; Картинка... открывает изображение PNG, JPEG, GIF, BMP, WebP или TIFF. В диалоге выберите высоту знакоместа, как изображение ложится на экран 256 x 192 (вписать, обрезать или растянуть), дизеринг, цветовую метрику и вес мерцания (малые веса успокаивают мерцание). Правое превью показывает результат; OK делает его картинкой, а Правка &amp;gt; Отменить возвращает прежнюю.&lt;/p&gt;&lt;p&gt;Чтобы увидеть, что умеет chromaLoom, попробуйте Справка &amp;gt; Открыть пример картинки.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Getting Started</source>
        <translation>Первые шаги</translation>
    </message>
    <message>
        <source>&lt;h3&gt;chromaLoom x%1&lt;/h3&gt;&lt;p&gt;An editor for ZX Spectrum Gigascreen and MultiGigaScreen pictures.&lt;/p&gt;&lt;p&gt;Licence: MIT for chromaLoom&apos;s own code. The program links libspectrum, so as built it is distributed under the GNU GPL, version 2 or later (GPL-2.0-or-later).&lt;/p&gt;&lt;p&gt;Libraries used:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %2 (Core, GUI, Widgets, OpenGL, OpenGL Widgets, Concurrent; built against %3): LGPL-3.0-only or GPL-2.0-only&lt;/li&gt;&lt;li&gt;libspectrum: GPL-2.0-or-later&lt;/li&gt;&lt;li&gt;giflib and libwebp (the animated GIF and WebP exports): MIT, BSD-3-Clause&lt;/li&gt;&lt;li&gt;Through Qt&apos;s image plugins: libpng (libpng licence), zlib (Zlib), libjpeg-turbo (IJG, BSD-3-Clause), libtiff (libtiff licence), libwebp (BSD-3-Clause)&lt;/li&gt;&lt;li&gt;C++ standard library: %4, GPL-3.0-or-later with the GCC Runtime Library Exception&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Compiled with %5.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;chromaLoom x%1&lt;/h3&gt;&lt;p&gt;Редактор картинок гигаскрин и MultiGigaScreen для ZX Spectrum.&lt;/p&gt;&lt;p&gt;Лицензия: MIT для собственного кода chromaLoom. Программа связана с libspectrum, поэтому в собранном виде распространяется под GNU GPL версии 2 или более поздней (GPL-2.0-or-later).&lt;/p&gt;&lt;p&gt;Используемые библиотеки:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %2 (Core, GUI, Widgets, OpenGL, OpenGL Widgets, Concurrent; собрано с %3): LGPL-3.0-only или GPL-2.0-only&lt;/li&gt;&lt;li&gt;libspectrum: GPL-2.0-or-later&lt;/li&gt;&lt;li&gt;giflib и libwebp (экспорт анимированных GIF и WebP): MIT, BSD-3-Clause&lt;/li&gt;&lt;li&gt;Через модули изображений Qt: libpng (лицензия libpng), zlib (Zlib), libjpeg-turbo (IJG, BSD-3-Clause), libtiff (лицензия libtiff), libwebp (BSD-3-Clause)&lt;/li&gt;&lt;li&gt;Стандартная библиотека C++: %4, GPL-3.0-or-later с GCC Runtime Library Exception&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Собрано компилятором %5.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>the compiler&apos;s own</source>
        <translation>своя, компилятора</translation>
    </message>
    <message>
        <source>an unnamed compiler</source>
        <translation>неизвестным компилятором</translation>
    </message>
    <message>
        <source>About chromaLoom</source>
        <translation>О chromaLoom</translation>
    </message>
</context>
<context>
    <name>ImportPicture</name>
    <message>
        <source>Import Picture</source>
        <translation>Импорт картинки</translation>
    </message>
    <message>
        <source>The mixing the result is made for: choose the one it will be seen with</source>
        <translation>Смешение, под которое делается результат: выберите то, с которым его будут смотреть</translation>
    </message>
    <message>
        <source>0 to %1; 0 is off, and small weights (0.05 to 0.25) remove most flicker for a little colour error</source>
        <translation>От 0 до %1; 0 — выключено, малые веса (0,05–0,25) убирают большую часть мерцания ценой небольшой ошибки цвета</translation>
    </message>
    <message>
        <source>Cell height</source>
        <translation>Высота знакоместа</translation>
    </message>
    <message>
        <source>Fitting</source>
        <translation>Вписывание</translation>
    </message>
    <message>
        <source>Dithering</source>
        <translation>Дизеринг</translation>
    </message>
    <message>
        <source>Metric</source>
        <translation>Метрика</translation>
    </message>
    <message>
        <source>Flicker weight</source>
        <translation>Вес мерцания</translation>
    </message>
    <message>
        <source>Mixing</source>
        <translation>Смешение</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Перевод...</translation>
    </message>
    <message>
        <source>Mean colour error %1, mean flicker %2, blurred error %3</source>
        <translation>Средняя ошибка цвета %1, среднее мерцание %2, размытая ошибка %3</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>%1 has no extension chromaLoom knows</source>
        <translation>у %1 нет расширения, известного chromaLoom</translation>
    </message>
    <message>
        <source>--mixing %1: %2</source>
        <translation>--mixing %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>chromaLoom does not write %1 files: %2</source>
        <translation>chromaLoom не пишет файлы %1: %2</translation>
    </message>
    <message>
        <source>--info describes pictures, and %1 is an image</source>
        <translation>--info описывает картинки, а %1 — изображение</translation>
    </message>
    <message>
        <source>chromaLoom does not read %1 files: %2</source>
        <translation>chromaLoom не читает файлы %1: %2</translation>
    </message>
    <message>
        <source>--info takes one INPUT</source>
        <translation>--info принимает один INPUT</translation>
    </message>
    <message>
        <source>expected INPUT and OUTPUT</source>
        <translation>ожидаются INPUT и OUTPUT</translation>
    </message>
    <message>
        <source>--thumbnail writes a PNG: name the output .png, not &quot;%1&quot;</source>
        <translation>--thumbnail пишет PNG: назовите выходной файл .png, а не &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--mixing applies to image inputs and bitmap outputs only</source>
        <translation>--mixing применяется только к входным изображениям и выходным растровым файлам</translation>
    </message>
    <message>
        <source>--screen applies to outputs of one screen only, not &quot;%1&quot;</source>
        <translation>--screen применяется только к выходным файлам одного экрана, а не к &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 (see --help)</source>
        <translation>%1 (см. --help)</translation>
    </message>
    <message>
        <source>Not enough memory to convert &quot;%1&quot;</source>
        <translation>Не хватает памяти, чтобы перевести &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 needs a number, not &quot;%2&quot;</source>
        <translation>%1 требует число, а не &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 needs a number from 0 to %2, not &quot;%3&quot;</source>
        <translation>%1 требует число от 0 до %2, а не &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 требует значение</translation>
    </message>
    <message>
        <source>--mode must be 8, 4, 2 or 1</source>
        <translation>--mode должен быть 8, 4, 2 или 1</translation>
    </message>
    <message>
        <source>--border needs I,J</source>
        <translation>--border требует I,J</translation>
    </message>
    <message>
        <source>--border needs I in 0..8 and J in 0..2</source>
        <translation>--border требует I в 0..8 и J в 0..2</translation>
    </message>
    <message>
        <source>--bmp-size must be 1..9</source>
        <translation>--bmp-size должен быть 1..9</translation>
    </message>
    <message>
        <source>--screen must be 0 or 1</source>
        <translation>--screen должен быть 0 или 1</translation>
    </message>
    <message>
        <source>--thumbnail needs a SIZE of 1..2048</source>
        <translation>--thumbnail требует SIZE от 1 до 2048</translation>
    </message>
    <message>
        <source>--fit must be fit, crop or stretch, not &quot;%1&quot;</source>
        <translation>--fit должен быть fit, crop или stretch, а не &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--dither must be none, ordered, floyd-steinberg, atkinson or search, not &quot;%1&quot;</source>
        <translation>--dither должен быть none, ordered, floyd-steinberg, atkinson или search, а не &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--metric must be rgb or lab, not &quot;%1&quot;</source>
        <translation>--metric должен быть rgb или lab, а не &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--mixing needs a model&apos;s name or levels, or a profile FILE, not &quot;%1&quot;</source>
        <translation>--mixing требует имя модели или уровни либо FILE профиля, а не &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--stats takes no value</source>
        <translation>--stats не принимает значения</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>неизвестный параметр %1</translation>
    </message>
    <message>
        <source>Cannot encode the GIF image: %1</source>
        <translation>Не удаётся закодировать изображение GIF: %1</translation>
    </message>
    <message>
        <source>Cannot encode the WebP image: %1</source>
        <translation>Не удаётся закодировать изображение WebP: %1</translation>
    </message>
    <message>
        <source>Cannot encode the WebP image: libwebp is not the version chromaLoom was built with</source>
        <translation>Не удаётся закодировать изображение WebP: версия libwebp не та, с которой собран chromaLoom</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>Cannot read image %1: %2</source>
        <translation>Не удаётся прочитать изображение %1: %2</translation>
    </message>
    <message>
        <source>Not enough memory to read image %1</source>
        <translation>Не хватает памяти, чтобы прочитать изображение %1</translation>
    </message>
    <message>
        <source>Cannot encode the PNG image: %1</source>
        <translation>Не удаётся закодировать изображение PNG: %1</translation>
    </message>
    <message>
        <source>Error file format: %1</source>
        <translation>Ошибка формата файла: %1</translation>
    </message>
    <message>
        <source>the file does not start with &quot;MGH&quot;, so it is not a MultiGigaScreen picture</source>
        <translation>файл не начинается с &quot;MGH&quot;, значит, это не картинка MultiGigaScreen</translation>
    </message>
    <message>
        <source>file is %1 bytes, shorter than the %2-byte MultiGigaScreen header</source>
        <translation>в файле %1 байт, это меньше заголовка MultiGigaScreen в %2 байт</translation>
    </message>
    <message>
        <source>char size byte is %1, it must be 1, 2, 4 or 8</source>
        <translation>байт размера знакоместа равен %1, а должен быть 1, 2, 4 или 8</translation>
    </message>
    <message>
        <source>file is %1 bytes, an 8x1 (.mg1 layout) MultiGigaScreen picture needs %2</source>
        <translation>в файле %1 байт, а картинке MultiGigaScreen 8x1 (раскладка .mg1) нужно %2</translation>
    </message>
    <message>
        <source>file is %1 bytes, an 8x%2 MultiGigaScreen picture needs %3</source>
        <translation>в файле %1 байт, а картинке MultiGigaScreen 8x%2 нужно %3</translation>
    </message>
    <message>
        <source>colour byte %1 at %2 is not a colour index 0..14</source>
        <translation>байт цвета %1 в %2 — не номер цвета 0..14</translation>
    </message>
    <message>
        <source>the file does not start with &quot;MGS&quot;, so it is not a native .mgs picture</source>
        <translation>файл не начинается с &quot;MGS&quot;, значит, это не картинка .mgs</translation>
    </message>
    <message>
        <source>file is %1 bytes, a version 1 picture needs %2</source>
        <translation>в файле %1 байт, а картинке версии 1 нужно %2</translation>
    </message>
    <message>
        <source>file is %1 bytes, a version %2 picture needs %3</source>
        <translation>в файле %1 байт, а картинке версии %2 нужно %3</translation>
    </message>
    <message>
        <source>mixing profile line %1: %2</source>
        <translation>профиль смешения, строка %1: %2</translation>
    </message>
    <message>
        <source>a mixing profile is a small text file, and this one is over 64 KiB</source>
        <translation>профиль смешения — небольшой текстовый файл, а этот больше 64 КиБ</translation>
    </message>
    <message>
        <source>%1 files are exactly %2 bytes, and this one is longer</source>
        <translation>файлы %1 занимают ровно %2 байт, а этот длиннее</translation>
    </message>
    <message>
        <source>%1 files are exactly %2 bytes, and this one is %3</source>
        <translation>файлы %1 занимают ровно %2 байт, а в этом %3</translation>
    </message>
    <message>
        <source>%1 files hold 8x%2 cells, too coarse for this 8x%3 picture: change its char size to 8x%2 first</source>
        <translation>файлы %1 хранят знакоместа 8x%2, слишком крупные для этой картинки 8x%3: сначала смените её знакоместо на 8x%2</translation>
    </message>
    <message>
        <source>file is %1 bytes, a %2 needs %3</source>
        <translation>в файле %1 байт, а %2 нужно %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a hex value 00 to FF</source>
        <translation>&quot;%1&quot; — не шестнадцатеричное значение от 00 до FF</translation>
    </message>
    <message>
        <source>a model has levels and at most one colour matrix after one &quot;:&quot;</source>
        <translation>модель — это уровни и не больше одной цветовой матрицы после одного &quot;:&quot;</translation>
    </message>
    <message>
        <source>a model has six levels (ZZ,ZN,NN,NB,BB,ZB), not %1</source>
        <translation>у модели шесть уровней (ZZ,ZN,NN,NB,BB,ZB), а не %1</translation>
    </message>
    <message>
        <source>a colour matrix has nine values (three rows of three), not %1</source>
        <translation>у цветовой матрицы девять значений (три строки по три), а не %1</translation>
    </message>
    <message>
        <source>a colour matrix has three rows of three values, rows separated by &quot;;&quot;</source>
        <translation>у цветовой матрицы три строки по три значения, строки разделяются &quot;;&quot;</translation>
    </message>
    <message>
        <source>--mixing applies to mixed bitmaps only; an animation shows each screen unmixed</source>
        <translation>--mixing применяется только к смешанным растровым файлам; анимация показывает каждый экран без смешения</translation>
    </message>
    <message>
        <source>--mixing %1: an image is converted only for a profile in which a mixes with b as b with a</source>
        <translation>--mixing %1: изображение переводится только для профиля, в котором a смешивается с b так же, как b с a</translation>
    </message>
    <message>
        <source>--fit, --dither, --metric, --flicker and --stats apply to image inputs only</source>
        <translation>--fit, --dither, --metric, --flicker и --stats применяются только к входным изображениям</translation>
    </message>
    <message>
        <source>%1 is not a colour R,G,B</source>
        <translation>%1 — не цвет R,G,B</translation>
    </message>
    <message>
        <source>%1 has a value above 255</source>
        <translation>в %1 есть значение больше 255</translation>
    </message>
    <message>
        <source>a 16th row; a profile has 15</source>
        <translation>16-я строка, а в профиле их 15</translation>
    </message>
    <message>
        <source>%1 colour separated by spaces; a row holds 15</source>
        <translation>цветов через пробел: %1, а в строке их 15</translation>
    </message>
    <message>
        <source>%1 colours separated by spaces; a row holds 15</source>
        <translation>цветов через пробел: %1, а в строке их 15</translation>
    </message>
    <message>
        <source>the file ends after %1 row; a profile has 15 rows of 15 colours</source>
        <translation>файл кончается после строк: %1, а в профиле 15 строк по 15 цветов</translation>
    </message>
    <message>
        <source>the file ends after %1 rows; a profile has 15 rows of 15 colours</source>
        <translation>файл кончается после строк: %1, а в профиле 15 строк по 15 цветов</translation>
    </message>
    <message>
        <source>--pentagon applies to .z80 and .szx snapshots only, not &quot;%1&quot;</source>
        <translation>--pentagon бывает только у снимков .z80 и .szx, а не у «%1»</translation>
    </message>
    <message>
        <source>Usage: chromaloom-convert [--mode 8|4|2|1] [--border I,J] [--bmp-size N] [--mixing M]
           [--screen 0|1] [--pentagon] INPUT OUTPUT
       chromaloom-convert IMAGE OUTPUT [--mode 8|4|2|1] [--fit fit|crop|stretch]
           [--dither none|ordered|floyd-steinberg|atkinson|search] [--metric rgb|lab]
           [--flicker W] [--stats] [--border I,J] [--bmp-size N] [--mixing M]
       chromaloom-convert --thumbnail SIZE [--mixing M] INPUT OUTPUT.png
       chromaloom-convert --info INPUT
       chromaloom-convert --help | --version

Converts ZX Spectrum Gigascreen and MultiGigaScreen pictures the way the
chromaLoom editor imports and exports them.

  --mode H       change the char size to 8x H after reading (8, 4, 2 or 1);
                 for an image, the cell height it is converted in (default 8)
  --border I,J   choose border swatch column I (0..8), row J (0..2)
  --bmp-size N   size 1..9 of a bitmap output: %1
                 (default 1, 256 x 192 without border); an animation
                 (%2) alternates screen 0 and screen 1, 20 ms each,
                 each in its own border colour, looping
  --mixing M     how a bitmap mixes the two screens, and what an image is
                 converted for: own (the picture&apos;s own table, the default),
                 average (the mean of the two values), linear (the mean in
                 linear light), the archive site&apos;s srgb, pulsar, orthodox,
                 alone or electroscale, a model ZZ,ZN,NN,NB,BB,ZB in hex with
                 an optional :R;G;B matrix (00,96,CD,E8,FF,BC), or FILE, a
                 profile of 15 lines of 15 R,G,B colours
  --screen S     the screen (0, the default, or 1) written to an output of
                 one screen (%3)
  --pentagon     a .z80 or .szx for the Pentagon 128 (8x2, 8x4, 8x8) instead
                 of the 128K
  --info         print the format, char mode, border pair and size of INPUT
  --thumbnail SIZE  write the mixed picture with its border as a PNG that
                 fits SIZE x SIZE (1..2048), for file managers
  --fit F        bring an image to 256 x 192: fit (keep the aspect, black bars;
                 the default), crop (keep the aspect, fill) or stretch
  --dither D     none (the default), ordered, floyd-steinberg, atkinson or
                 search (the lowest blurred error; one to two seconds)
  --metric M     colour distance: rgb (the default) or lab
  --flicker W    weight against flicker, a number from 0 to %4 (default 0: off)
  --stats        print the mean colour error, mean flicker and mean blurred
                 error (as the eye sees it, in linear light) on stderr
  --             end the options: INPUT and OUTPUT may then start with a dash

Reads:  %5 (by extension, any case)
Images: %6 (converted)
Writes: %7
</source>
        <translation>Запуск: chromaloom-convert [--mode 8|4|2|1] [--border I,J] [--bmp-size N] [--mixing M]
           [--screen 0|1] [--pentagon] INPUT OUTPUT
        chromaloom-convert IMAGE OUTPUT [--mode 8|4|2|1] [--fit fit|crop|stretch]
           [--dither none|ordered|floyd-steinberg|atkinson|search] [--metric rgb|lab]
           [--flicker W] [--stats] [--border I,J] [--bmp-size N] [--mixing M]
        chromaloom-convert --thumbnail SIZE [--mixing M] INPUT OUTPUT.png
        chromaloom-convert --info INPUT
        chromaloom-convert --help | --version

Переводит картинки гигаскрин и MultiGigaScreen для ZX Spectrum так же,
как их импортирует и экспортирует редактор chromaLoom.

  --mode H       после чтения сменить знакоместо на 8x H (8, 4, 2 или 1);
                 для изображения — высота знакоместа перевода (по умолчанию 8)
  --border I,J   выбрать образец бордюра: столбец I (0..8), строка J (0..2)
  --bmp-size N   размер 1..9 выходного растрового файла: %1
                 (по умолчанию 1, 256 x 192 без бордюра); анимация
                 (%2) чередует экран 0 и экран 1 по 20 мс,
                 каждый в своём цвете бордюра, по кругу
  --mixing M     как растровый файл смешивает два экрана и для чего
                 переводится изображение: own (своя таблица картинки, по
                 умолчанию), average (среднее двух значений), linear (среднее
                 в линейном свете), srgb архивного сайта, pulsar, orthodox,
                 alone или electroscale, модель ZZ,ZN,NN,NB,BB,ZB в hex с
                 необязательной матрицей :R;G;B (00,96,CD,E8,FF,BC) или FILE —
                 профиль из 15 строк по 15 цветов R,G,B
  --screen S     экран (0, по умолчанию, или 1), записываемый в выходной
                 файл одного экрана (%3)
  --pentagon     .z80 или .szx для «Пентагона 128» (8x2, 8x4, 8x8) вместо
                 128K
  --info         вывести формат, знакоместо, пару бордюра и размер INPUT
  --thumbnail SIZE  записать смешанную картинку с бордюром как PNG,
                 вписанный в SIZE x SIZE (1..2048), для файловых менеджеров
  --fit F        привести изображение к 256 x 192: fit (сохранить пропорции,
                 чёрные поля; по умолчанию), crop (сохранить пропорции,
                 заполнить) или stretch
  --dither D     none (по умолчанию), ordered, floyd-steinberg, atkinson или
                 search (наименьшая размытая ошибка; одна-две секунды)
  --metric M     расстояние цветов: rgb (по умолчанию) или lab
  --flicker W    вес против мерцания, число от 0 до %4 (по умолчанию 0: выкл.)
  --stats        вывести в stderr среднюю ошибку цвета, среднее мерцание и
                 среднюю размытую ошибку (как видит глаз, в линейном свете)
  --             конец параметров: дальше INPUT и OUTPUT могут начинаться с дефиса

Читает:       %5 (по расширению, в любом регистре)
Изображения:  %6 (с переводом)
Пишет:        %7
</translation>
    </message>
    <message>
        <source>Usage: chromaloom [FILE]
       chromaloom --help | --version

chromaLoom edits ZX Spectrum Gigascreen and MultiGigaScreen pictures.

  FILE       a picture to open or an image to import
  --help     show this help and exit
  --version  show the version and exit

Pictures:%1
Images:  %2

To convert pictures or make thumbnails without a window, use
chromaloom-convert (see chromaloom-convert --help).
</source>
        <translation>Запуск: chromaloom [FILE]
        chromaloom --help | --version

chromaLoom — редактор картинок гигаскрин и MultiGigaScreen для ZX Spectrum.

  FILE       картинка, которую открыть, или изображение, которое импортировать
  --help     показать эту справку и выйти
  --version  показать версию и выйти

Картинки:%1
Изображения:%2

Чтобы переводить картинки или делать миниатюры без окна, есть
chromaloom-convert (см. chromaloom-convert --help).
</translation>
    </message>
    <message>
        <source>cannot export a picture with a colour outside the 15 ZX colours</source>
        <translation>нельзя экспортировать картинку с цветом вне 15 цветов ZX</translation>
    </message>
    <message>
        <source>the Pentagon viewer shows cell heights 8x2, 8x4 and 8x8, not 8x1</source>
        <translation>просмотрщик для «Пентагона» показывает знакоместа 8x2, 8x4 и 8x8, а не 8x1</translation>
    </message>
    <message>
        <source>%1 cell</source>
        <translation>знакомест: %1</translation>
    </message>
    <message>
        <source>%1 cells</source>
        <translation>знакомест: %1</translation>
    </message>
    <message>
        <source>8x1 side columns keep one attribute per 8x8 cell: %1 of the file had several and none now show other colours</source>
        <translation>в боковых столбцах 8x1 один атрибут на знакоместо 8x8: в файле несколько было у них (%1), другие цвета не показывает ни одно</translation>
    </message>
    <message>
        <source>8x1 side columns keep one attribute per 8x8 cell: %1 of the file had several and 1 now shows other colours</source>
        <translation>в боковых столбцах 8x1 один атрибут на знакоместо 8x8: в файле несколько было у них (%1), другие цвета теперь показывает одно</translation>
    </message>
    <message>
        <source>8x1 side columns keep one attribute per 8x8 cell: %1 of the file had several and %2 now show other colours</source>
        <translation>в боковых столбцах 8x1 один атрибут на знакоместо 8x8: в файле несколько было у них (%1), другие цвета теперь показывают: %2</translation>
    </message>
    <message>
        <source>%1 attributes had FLASH, which is not kept</source>
        <translation>атрибутов с FLASH: %1, FLASH не сохраняется</translation>
    </message>
    <message>
        <source>.atr files hold attributes alone, shown over a checkerboard of INK and PAPER: %1 show other pixels</source>
        <translation>файлы .atr хранят только атрибуты поверх шахматки INK и PAPER, а другие пиксели показывают (%1)</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>ordered</source>
        <translation>упорядоченный</translation>
    </message>
    <message>
        <source>floyd-steinberg</source>
        <translation>Флойд-Стейнберг</translation>
    </message>
    <message>
        <source>atkinson</source>
        <translation>Аткинсон</translation>
    </message>
    <message>
        <source>search</source>
        <translation>поиск</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>вписать</translation>
    </message>
    <message>
        <source>crop</source>
        <translation>обрезать</translation>
    </message>
    <message>
        <source>stretch</source>
        <translation>растянуть</translation>
    </message>
    <message>
        <source>average</source>
        <translation>среднее</translation>
    </message>
    <message>
        <source>linear light</source>
        <translation>линейный свет</translation>
    </message>
    <message>
        <source>own table</source>
        <translation>своя таблица</translation>
    </message>
    <message>
        <source>own</source>
        <translation>своя таблица</translation>
    </message>
    <message>
        <source>linear</source>
        <translation>линейный свет</translation>
    </message>
</context>
<context>
    <name>Palette</name>
    <message>
        <source>Border Palette</source>
        <translation>Палитра бордюра</translation>
    </message>
    <message>
        <source>The border: each swatch mixes a border colour of screen 0 with one of screen 1; click to choose</source>
        <translation>Бордюр: каждый образец смешивает цвет бордюра экрана 0 с цветом экрана 1; щёлкните, чтобы выбрать</translation>
    </message>
    <message>
        <source>Full Palette</source>
        <translation>Полная палитра</translation>
    </message>
    <message>
        <source>Mixed colours from dark to light.
Click one to make its places blink in the full palette</source>
        <translation>Смешанные цвета от тёмного к светлому.
Щёлкните по цвету, чтобы его места замигали в полной палитре</translation>
    </message>
    <message>
        <source>Every mixed colour: the column is screen 0&apos;s colour, the row screen 1&apos;s.
Click: the chosen entry&apos;s two colours become these</source>
        <translation>Все смешанные цвета: столбец — цвет экрана 0, строка — экрана 1.
Щелчок: два цвета выбранной ячейки становятся этими</translation>
    </message>
    <message>
        <source>ZX Screen&apos;s Palette</source>
        <translation>Палитра экрана ZX</translation>
    </message>
    <message>
        <source>PAPER of screen 0</source>
        <translation>PAPER экрана 0</translation>
    </message>
    <message>
        <source>INK of screen 0</source>
        <translation>INK экрана 0</translation>
    </message>
    <message>
        <source>PAPER of screen 1</source>
        <translation>PAPER экрана 1</translation>
    </message>
    <message>
        <source>INK of screen 1</source>
        <translation>INK экрана 1</translation>
    </message>
    <message>
        <source>Click: the pencil paints screen %1&apos;s pixel bit as %2
(the chosen entry changes to match)</source>
        <translation>Щелчок: карандаш рисует бит пикселя экрана %1 как %2
(выбранная ячейка меняется под это)</translation>
    </message>
    <message>
        <source>The current %1; click a colour to change it</source>
        <translation>Текущий %1; щёлкните по цвету, чтобы сменить его</translation>
    </message>
    <message>
        <source>Char&apos;s Palette</source>
        <translation>Палитра знакоместа</translation>
    </message>
    <message>
        <source>paper of screen 0 mixed with paper of screen 1</source>
        <translation>PAPER экрана 0, смешанный с PAPER экрана 1</translation>
    </message>
    <message>
        <source>paper of screen 0 mixed with ink of screen 1</source>
        <translation>PAPER экрана 0, смешанный с INK экрана 1</translation>
    </message>
    <message>
        <source>ink of screen 0 mixed with paper of screen 1</source>
        <translation>INK экрана 0, смешанный с PAPER экрана 1</translation>
    </message>
    <message>
        <source>ink of screen 0 mixed with ink of screen 1</source>
        <translation>INK экрана 0, смешанный с INK экрана 1</translation>
    </message>
    <message>
        <source>%1: %2.
Click: the pencil paints with this entry in PIX mode (use hotkey &apos;%3&apos;)</source>
        <translation>%1: %2.
Щелчок: карандаш рисует этой ячейкой в режиме PIX (клавиша &apos;%3&apos;)</translation>
    </message>
    <message>
        <source>Current Char Palette:</source>
        <translation>Палитра знакоместа:</translation>
    </message>
    <message>
        <source>P0+P1: paper of screen 0 mixed with paper of screen 1</source>
        <translation>P0+P1: PAPER экрана 0, смешанный с PAPER экрана 1</translation>
    </message>
    <message>
        <source>P0+I1: paper of screen 0 mixed with ink of screen 1</source>
        <translation>P0+I1: PAPER экрана 0, смешанный с INK экрана 1</translation>
    </message>
    <message>
        <source>I0+P1: ink of screen 0 mixed with paper of screen 1</source>
        <translation>I0+P1: INK экрана 0, смешанный с PAPER экрана 1</translation>
    </message>
    <message>
        <source>I0+I1: ink of screen 0 mixed with ink of screen 1</source>
        <translation>I0+I1: INK экрана 0, смешанный с INK экрана 1</translation>
    </message>
    <message>
        <source>The four mixed colours of the cell under the pointer</source>
        <translation>Четыре смешанных цвета знакоместа под указателем</translation>
    </message>
    <message>
        <source>%1, in the cell under the pointer</source>
        <translation>%1, в знакоместе под указателем</translation>
    </message>
    <message>
        <source>Mixed</source>
        <translation>Смешанная</translation>
    </message>
    <message>
        <source>Selection: %1 x %2 cells</source>
        <translation>Выделение: %1 x %2 знакомест</translation>
    </message>
    <message>
        <source>Char size 8x%1</source>
        <translation>Знакоместо 8x%1</translation>
    </message>
    <message>
        <source>Zoom x%1</source>
        <translation>Масштаб x%1</translation>
    </message>
    <message>
        <source>Zoom %1:1</source>
        <translation>Масштаб %1:1</translation>
    </message>
    <message>
        <source>%1.
Click: the pencil paints with this entry in PIX mode (use hotkey &apos;%2&apos;)</source>
        <translation>%1.
Щелчок: карандаш рисует этой ячейкой в режиме PIX (клавиша &apos;%2&apos;)</translation>
    </message>
    <message>
        <source>The tool-bar buttons the window is too narrow to show</source>
        <translation>Кнопки панели инструментов, которым не хватило ширины окна</translation>
    </message>
    <message>
        <source>Entry %1</source>
        <translation>Ячейка %1</translation>
    </message>
</context>
<context>
    <name>Shortcuts</name>
    <message>
        <source>Choose a command, then Change...</source>
        <translation>Выберите команду, затем «Изменить...»</translation>
    </message>
    <message>
        <source>Press the new key...</source>
        <translation>Нажмите новую клавишу...</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Клавиши</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Команда</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Клавиши</translation>
    </message>
    <message>
        <source>New key:</source>
        <translation>Новая клавиша:</translation>
    </message>
    <message>
        <source>Change...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Reset to Defaults</source>
        <translation>Вернуть исходные</translation>
    </message>
</context>
</TS>
