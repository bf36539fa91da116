-- Demo data for both databases: plain INSERTs only. It gives an operator every path of the
-- schedule screen and the code searches.

-- Code table
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('曜日', '1', '月曜日');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('曜日', '2', '火曜日');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('曜日', '3', '水曜日');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('曜日', '4', '木曜日');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('曜日', '5', '金曜日');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('曜日', '6', '土曜日');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('曜日', '7', '日曜日');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('送受信種別', 'R', '受信');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('送受信種別', 'S', '送信');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('送受信方式', '1', 'FTP');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('送受信方式', '2', '全銀');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('送受信方式', '3', 'JCA');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('送受信方式', '4', 'ebXML');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('送受信方式', 'Z', 'RLY');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('相手先種別', '1', '得意先');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('相手先種別', '2', '仕入先');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('相手先種別', '3', '物流センター');
INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('相手先種別', '9', 'その他');

-- Control master: RLY centers (送受信方式 Z) with every combination of receive and send path
-- (filled, Null, empty, blanks), centers of other methods, a Null name and a 12-character code.
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C01', '東京物流センター', 'Z', '/edi/rly/c01/recv', '/edi/rly/c01/send', '3', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C02', '大阪物流センター', 'Z', '/edi/rly/c02/recv', '/edi/rly/c02/send', '3', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C03', '名古屋センター', 'Z', NULL, '/edi/rly/c03/send', '3', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C04', '福岡センター', 'Z', '', '/edi/rly/c04/send', '3', 'EDI-PC02');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C05', '札幌センター', 'Z', '/edi/rly/c05/recv', NULL, '3', 'EDI-PC02');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C06', '仙台センター', 'Z', '/edi/rly/c06/recv', '', '3', 'EDI-PC02');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C07', '広島センター', 'Z', NULL, NULL, '3', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C08', '金沢センター', 'Z', '', '', '3', 'EDI-PC02');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C09', '横浜センター', 'Z', '   ', '/edi/rly/c09/send', '3', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C10', '神戸センター', '1', NULL, NULL, '1', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C11', '京都商事', '2', NULL, NULL, '1', 'EDI-PC02');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C12', '千葉食品', '1', '/edi/ftp/c12/recv', '/edi/ftp/c12/send', '2', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C13', NULL, 'Z', '/edi/rly/c13/recv', '/edi/rly/c13/send', '3', 'EDI-PC02');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C14', 'ｶﾅ物流ｾﾝﾀｰ', 'Z', '/edi/rly/c14/recv', '/edi/rly/c14/send', '3', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C15', '埼玉流通', '3', NULL, NULL, '2', 'EDI-PC02');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C16', '静岡産業', '4', NULL, NULL, '9', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C17', '新潟センター', 'Z', '/edi/rly/c17/recv', '/edi/rly/c17/send', '1', 'EDI-PC02');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('C18', '岡山センター', 'Z', '/edi/rly/c18/recv', '/edi/rly/c18/send', '2', 'EDI-PC01');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('A01', '相手先Ａ０１', '2', NULL, NULL, '1', 'EDI-PC02');
INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('CENTER000012', '全国配送センター', 'Z', '/edi/rly/center000012/recv', '/edi/rly/center000012/send', '3', 'EDI-PC01');

-- Schedules. C01 R has two times on Monday (stored 09:00 first), a time written without its
-- leading zero, and a day name that is no entry of kind 曜日.
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C01', 'R', '月曜日', '09:00');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C01', 'R', '月曜日', '08:30');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C01', 'R', '水曜日', '9:30');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C01', 'R', '金曜日', '17:45');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C01', 'R', '祝日', '12:00');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C01', 'S', '火曜日', '13:00');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C01', 'S', '木曜日', '13:00');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C02', 'R', '土曜日', '06:00');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C02', 'R', '日曜日', '23:30');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C02', 'R', '月曜日', '07:15');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C03', 'S', '水曜日', '18:00');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('C05', 'R', '木曜日', '10:00');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('CENTER000012', 'S', '月曜日', '00:00');
INSERT INTO FL1912EDIスケジュールマスタ (センターコード, 送受信種別, 曜日, 起動時刻) VALUES ('CENTER000012', 'S', '金曜日', '23:59');

-- Message groups
INSERT INTO FL1916メッセージグループ情報マスタ (相手先コード, 自社コード, 情報区分) VALUES ('A01', 'S01', '01');
INSERT INTO FL1916メッセージグループ情報マスタ (相手先コード, 自社コード, 情報区分) VALUES ('A01', 'S02', '02');
INSERT INTO FL1916メッセージグループ情報マスタ (相手先コード, 自社コード, 情報区分) VALUES ('A02', 'S01', '01');
INSERT INTO FL1916メッセージグループ情報マスタ (相手先コード, 自社コード, 情報区分) VALUES ('B10', 'S03', '03');

-- Formats: versions repeat the (情報区分コード, BPID) pair.
INSERT INTO FL1902フォーマット情報マスタ (情報区分コード, BPID, 版, フォーマット名) VALUES ('01', 'BP0001', 1, '発注データ');
INSERT INTO FL1902フォーマット情報マスタ (情報区分コード, BPID, 版, フォーマット名) VALUES ('01', 'BP0001', 2, '発注データ 第2版');
INSERT INTO FL1902フォーマット情報マスタ (情報区分コード, BPID, 版, フォーマット名) VALUES ('01', 'BP0002', 1, '発注訂正データ');
INSERT INTO FL1902フォーマット情報マスタ (情報区分コード, BPID, 版, フォーマット名) VALUES ('02', 'BP0001', 1, '出荷データ');
INSERT INTO FL1902フォーマット情報マスタ (情報区分コード, BPID, 版, フォーマット名) VALUES ('03', 'BP0003', 1, '受領データ');
INSERT INTO FL1902フォーマット情報マスタ (情報区分コード, BPID, 版, フォーマット名) VALUES ('03', 'BP0003', 2, '受領データ 第2版');

-- Items
INSERT INTO FL1901項目情報マスタ (項目No, データ項目名) VALUES ('0001', '発注番号');
INSERT INTO FL1901項目情報マスタ (項目No, データ項目名) VALUES ('0002', '発注日');
INSERT INTO FL1901項目情報マスタ (項目No, データ項目名) VALUES ('0003', '納品日');
INSERT INTO FL1901項目情報マスタ (項目No, データ項目名) VALUES ('0004', '商品コード');
INSERT INTO FL1901項目情報マスタ (項目No, データ項目名) VALUES ('0005', '数量');
